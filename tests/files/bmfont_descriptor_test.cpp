#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "files/bmfont_descriptor.h"
#include "sheet/unicode_text.h"

namespace glyphsheet {
namespace {

using namespace std::string_literals;

// Two characters, A and the euro sign (8364 = 0x20AC), the second at x 300
// (0x012C) so that 16-bit fields show their byte order; bold but not italic,
// so the two bits cannot be swapped unseen.
BmFont TwoCharacters(bool kerned) {
  BmFont font;
  font.info = {"Sans & Co", -20, true, false, true, 2, {1, 2, 3, 4}};
  font.common = {24, 19, 512, 128};
  font.pages = {"sheet_0.png"};
  font.chars = {{65, 0, 0, 12, 26, -1, -5, 11}, {8364, 300, 27, 14, 26, 0, -5, 13}};
  if (kerned) font.kernings = {{65, 8364, -2}};
  return font;
}

std::string Text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Each form written out from AngelCode's description of it; a font without
// kerning says so in the textual forms and has no kerning block in binary.
TEST(BmFontDescriptor, EachFormWritesEveryFieldInItsPlace) {
  const std::string text =
      "info face=\"Sans & Co\" size=-20 bold=1 italic=0 charset=\"\" unicode=1 stretchH=100 "
      "smooth=1 aa=2 padding=1,2,3,4 spacing=0,0 outline=0\n"
      "common lineHeight=24 base=19 scaleW=512 scaleH=128 pages=1 packed=0 alphaChnl=0 "
      "redChnl=4 greenChnl=4 blueChnl=4\n"
      "page id=0 file=\"sheet_0.png\"\n"
      "chars count=2\n"
      "char id=65 x=0 y=0 width=12 height=26 xoffset=-1 yoffset=-5 xadvance=11 page=0 chnl=15\n"
      "char id=8364 x=300 y=27 width=14 height=26 xoffset=0 yoffset=-5 xadvance=13 page=0 "
      "chnl=15\n";
  const std::string xml =
      "<?xml version=\"1.0\"?>\n<font>\n"
      "  <info face=\"Sans &amp; Co\" size=\"-20\" bold=\"1\" italic=\"0\" charset=\"\" "
      "unicode=\"1\" stretchH=\"100\" smooth=\"1\" aa=\"2\" padding=\"1,2,3,4\" spacing=\"0,0\" "
      "outline=\"0\"/>\n"
      "  <common lineHeight=\"24\" base=\"19\" scaleW=\"512\" scaleH=\"128\" pages=\"1\" "
      "packed=\"0\" alphaChnl=\"0\" redChnl=\"4\" greenChnl=\"4\" blueChnl=\"4\"/>\n"
      "  <pages>\n    <page id=\"0\" file=\"sheet_0.png\"/>\n  </pages>\n"
      "  <chars count=\"2\">\n"
      "    <char id=\"65\" x=\"0\" y=\"0\" width=\"12\" height=\"26\" xoffset=\"-1\" "
      "yoffset=\"-5\" xadvance=\"11\" page=\"0\" chnl=\"15\"/>\n"
      "    <char id=\"8364\" x=\"300\" y=\"27\" width=\"14\" height=\"26\" xoffset=\"0\" "
      "yoffset=\"-5\" xadvance=\"13\" page=\"0\" chnl=\"15\"/>\n"
      "  </chars>\n";
  const std::string json =
      "{\n  \"pages\": [\"sheet_0.png\"],\n  \"chars\": [\n"
      "    {\"id\": 65, \"x\": 0, \"y\": 0, \"width\": 12, \"height\": 26, \"xoffset\": -1, "
      "\"yoffset\": -5, \"xadvance\": 11, \"page\": 0, \"chnl\": 15},\n"
      "    {\"id\": 8364, \"x\": 300, \"y\": 27, \"width\": 14, \"height\": 26, \"xoffset\": 0, "
      "\"yoffset\": -5, \"xadvance\": 13, \"page\": 0, \"chnl\": 15}\n  ],\n"
      "  \"info\": {\"face\": \"Sans & Co\", \"size\": -20, \"bold\": 1, \"italic\": 0, "
      "\"charset\": \"\", \"unicode\": 1, \"stretchH\": 100, \"smooth\": 1, \"aa\": 2, "
      "\"padding\": [1, 2, 3, 4], \"spacing\": [0, 0], \"outline\": 0},\n"
      "  \"common\": {\"lineHeight\": 24, \"base\": 19, \"scaleW\": 512, \"scaleH\": 128, "
      "\"pages\": 1, \"packed\": 0, \"alphaChnl\": 0, \"redChnl\": 4, \"greenChnl\": 4, "
      "\"blueChnl\": 4},\n";
  const std::vector<uint8_t> binary = {
      'B', 'M', 'F', 3,
      // info: 14 bytes of fields and the face, 9 letters and a NUL
      1, 24, 0, 0, 0,
      0xEC, 0xFF,  // size -20
      0xD0,        // smooth (bit 7), unicode (bit 6), bold (bit 4)
      0,           // charset
      100, 0,      // stretchH
      2,           // aa
      1, 2, 3, 4,  // padding up, right, down, left
      0, 0, 0,     // spacing, outline
      'S', 'a', 'n', 's', ' ', '&', ' ', 'C', 'o', 0,
      // common: 5 x 2 + 5 bytes
      2, 15, 0, 0, 0,
      24, 0, 19, 0, 0, 2, 128, 0, 1, 0,  // lineHeight, base, scaleW, scaleH, pages
      0, 0, 4, 4, 4,                     // packed, alpha, red, green, blue
      // pages: 11 letters and a NUL
      3, 12, 0, 0, 0,
      's', 'h', 'e', 'e', 't', '_', '0', '.', 'p', 'n', 'g', 0,
      // chars: 2 x 20 bytes
      4, 40, 0, 0, 0,
      65, 0, 0, 0, 0, 0, 0, 0, 12, 0, 26, 0, 0xFF, 0xFF, 0xFB, 0xFF, 11, 0, 0, 15,
      0xAC, 0x20, 0, 0, 0x2C, 0x01, 27, 0, 14, 0, 26, 0, 0, 0, 0xFB, 0xFF, 13, 0, 0, 15};
  std::vector<uint8_t> kernedBinary = binary;
  // kerning pairs: 1 x 10 bytes
  kernedBinary.insert(kernedBinary.end(),
                      {5, 10, 0, 0, 0, 65, 0, 0, 0, 0xAC, 0x20, 0, 0, 0xFE, 0xFF});

  const struct {
    BmFontFormat format;
    bool kerned;
    std::string expected;
    const char* extension;
  } cases[] = {
      {BmFontFormat::kText, true,
       text + "kernings count=1\nkerning first=65 second=8364 amount=-2\n", ".fnt"},
      {BmFontFormat::kText, false, text + "kernings count=0\n", ".fnt"},
      {BmFontFormat::kXml, true,
       xml + "  <kernings count=\"1\">\n    <kerning first=\"65\" second=\"8364\" amount=\"-2\"/>\n"
             "  </kernings>\n</font>\n",
       ".xml"},
      {BmFontFormat::kXml, false, xml + "  <kernings count=\"0\"/>\n</font>\n", ".xml"},
      {BmFontFormat::kJson, true,
       json + "  \"kernings\": [\n    {\"first\": 65, \"second\": 8364, \"amount\": -2}\n  ]\n}\n",
       ".json"},
      {BmFontFormat::kJson, false, json + "  \"kernings\": []\n}\n", ".json"},
      {BmFontFormat::kBinary, true, Text(kernedBinary), ".fnt"},
      {BmFontFormat::kBinary, false, Text(binary), ".fnt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Text(EncodeBmFont(TwoCharacters(c.kerned), c.format)), c.expected)
        << BmFontExtension(c.format) << (c.kerned ? " kerned" : " not kerned");
    EXPECT_STREQ(BmFontExtension(c.format), c.extension);
  }
}

// A face with a NUL, which the binary form cannot hold (the textual forms'
// names are in NamesAreHeldExactlyOrRefusedAsPageFiles); values beyond the
// binary form's 8- and 16-bit fields.
TEST(BmFontDescriptor, WhatAFormCannotHoldIsWrittenTheNearestWay) {
  const auto oddFace = [](BmFont& font) { font.info.face = "Q\"<\xC3\xA9>\\\t\x01\0z"s; };
  const struct {
    BmFontFormat format;
    void (*change)(BmFont&);
    std::string expected;
  } cases[] = {
      {BmFontFormat::kBinary, oddFace,  // info: 14 + 11 + 1 bytes
       "\x01\x1A\0\0\0\xEC\xFF\xD0\0d\0\x02\x01\x02\x03\x04\0\0\0"s +
           "Q\"<\xC3\xA9>\\\t\x01 z\0\x02"s},
      {BmFontFormat::kBinary,
       [](BmFont& font) {
         font.info.size = -40000;
         font.info.aa = 300;
         font.info.padding = {-1, 256, 3, 4};
       },
       "\x01\x18\0\0\0\x00\x80\xD0\0d\0\xFF\0\xFF\x03\x04\0\0\0S"s},
      {BmFontFormat::kBinary,
       [](BmFont& font) { font.common = {70000, -1, 512, 128}; },
       "\x02\x0F\0\0\0\xFF\xFF\0\0\0\x02"s},
      {BmFontFormat::kBinary,
       [](BmFont& font) { font.chars[1] = {8364, 70000, -3, 14, 26, -40000, 40000, -40000}; },
       "\xAC\x20\0\0\xFF\xFF\0\0\x0E\0\x1A\0\0\x80\xFF\x7F\0\x80\0\x0F"s},
      {BmFontFormat::kBinary, [](BmFont& font) { font.kernings[0].amount = 40000; },
       "\x05\x0A\0\0\0\x41\0\0\0\xAC\x20\0\0\xFF\x7F"s},
  };
  for (const auto& c : cases) {
    BmFont font = TwoCharacters(true);
    c.change(font);
    const std::string written = Text(EncodeBmFont(font, c.format));
    EXPECT_NE(written.find(c.expected), std::string::npos)
        << BmFontExtension(c.format) << "\n" << ::testing::PrintToString(written);
  }
}

// The value a textual form wrote between `before` and `after`.
std::string Between(const std::string& written, const std::string& before,
                    const std::string& after) {
  const size_t start = written.find(before);
  if (start == std::string::npos) return "(no " + before + ")";
  const size_t end = written.find(after, start + before.size());
  return written.substr(start + before.size(), end - start - before.size());
}

// The name a reader takes from a value a textual form wrote (only the
// escapes these names use; the text form has none).
std::string Unescaped(std::string value, BmFontFormat format) {
  using Escapes = std::vector<std::pair<std::string, std::string>>;
  const Escapes escapes =
      format == BmFontFormat::kXml
          ? Escapes{{"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}
      : format == BmFontFormat::kJson ? Escapes{{"\\\"", "\""}, {"\\\\", "\\"}}
                                      : Escapes{};
  for (const auto& [escape, ch] : escapes) {
    for (size_t at = value.find(escape); at != std::string::npos; at = value.find(escape, at + 1)) {
      value.replace(at, escape.size(), ch);
    }
  }
  return value;
}

// True when a text is UTF-8 throughout with neither a noncharacter nor a
// control character but the line end, as a well-formed XML or valid JSON
// file must be.
bool CarriesOnlyInterchangeableText(const std::string& text) {
  for (size_t pos = 0; pos < text.size();) {
    const std::optional<char32_t> ch = DecodeUtf8(text, pos);
    if (!ch || IsNoncharacter(*ch) || (*ch < 0x20 && *ch != '\n')) return false;
  }
  return true;
}

// Each name as each form writes it (here the face; a page's file name is
// written alike), and whether the form can name a page file so. The text
// form keeps every byte but a double quote (an apostrophe) and control
// characters (spaces), and names no page file with those or with bytes that
// are not UTF-8; XML and JSON escape what they can and write U+FFFD for
// noncharacters and for each ill-formed sequence, and name no page file with
// those or a control character. Binary keeps every byte and names any page.
// A page file name a form takes is read back from it as it is.
TEST(BmFontDescriptor, NamesAreHeldExactlyOrRefusedAsPageFiles) {
  const std::string u = "\xEF\xBF\xBD";  // U+FFFD
  const struct {
    std::string name;
    std::string text, xml, json;
    // The character named when the text form, and when XML and JSON, refuse
    // the name as a page file's; empty when they take it.
    std::string textRefuses, markupRefuses;
  } cases[] = {
      {"Sans", "Sans", "Sans", "Sans", "", ""},
      {"a\"b", "a'b", "a&quot;b", "a\\\"b", "U+0022 \" (a double quote)", ""},
      {"a\nb", "a b", "a b", "a\\u000ab", "U+000A (a control character)",
       "U+000A (a control character)"},
      {"a\tb", "a b", "a b", "a\\u0009b", "U+0009 (a control character)",
       "U+0009 (a control character)"},
      {"a\x7F" "b", "a b", "a b", "a\x7F" "b", "U+007F (a control character)",
       "U+007F (a control character)"},
      {"a\xC2\x85" "b", "a b", "a b", "a\xC2\x85" "b", "U+0085 (a control character)",
       "U+0085 (a control character)"},
      {"a\xFF" "b", "a\xFF" "b", "a" + u + "b", "a" + u + "b",
       "byte 0xFF at offset 1 (not UTF-8)", "byte 0xFF at offset 1 (not UTF-8)"},
      {"a\xE4\xB8" "b", "a\xE4\xB8" "b", "a" + u + "b", "a" + u + "b",
       "byte 0xE4 at offset 1 (not UTF-8)", "byte 0xE4 at offset 1 (not UTF-8)"},
      {"a\xEF\xBF\xBE", "a\xEF\xBF\xBE", "a" + u, "a" + u, "", "U+FFFE (a noncharacter)"},
      {"a\xEF\xB7\x90", "a\xEF\xB7\x90", "a" + u, "a" + u, "", "U+FDD0 (a noncharacter)"},
      {"a\xF4\x8F\xBF\xBF", "a\xF4\x8F\xBF\xBF", "a" + u, "a" + u, "",
       "U+10FFFF (a noncharacter)"},
      {"\xE4\xB8\xAD", "\xE4\xB8\xAD", "\xE4\xB8\xAD", "\xE4\xB8\xAD", "", ""},
      {"&<>\\", "&<>\\", "&amp;&lt;&gt;\\", "&<>\\\\", "", ""},
  };
  const std::filesystem::path descriptor = "out/d.fnt";
  for (const auto& c : cases) {
    BmFont font = TwoCharacters(false);
    font.info.face = c.name;
    const std::string page = c.name + ".png";
    const struct {
      BmFontFormat format;
      std::string value, refuses;
      const char* place;
    } forms[] = {
        {BmFontFormat::kText, Between(Text(EncodeBmFont(font, BmFontFormat::kText)),
                                      "info face=\"", "\" size="),
         c.textRefuses, "text form's quoted value"},
        {BmFontFormat::kXml, Between(Text(EncodeBmFont(font, BmFontFormat::kXml)),
                                     "<info face=\"", "\" size="),
         c.markupRefuses, "XML form"},
        {BmFontFormat::kJson, Between(Text(EncodeBmFont(font, BmFontFormat::kJson)),
                                      "{\"face\": \"", "\", \"size\""),
         c.markupRefuses, "JSON form"},
        // After the magic, the info block's type, size and 14 bytes of fields.
        {BmFontFormat::kBinary, Text(EncodeBmFont(font, BmFontFormat::kBinary)).substr(23),
         "", ""},
    };
    const std::string expected[] = {c.text, c.xml, c.json, c.name + '\0'};
    for (size_t i = 0; i < std::size(forms); ++i) {
      const auto& form = forms[i];
      const std::string label = ::testing::PrintToString(c.name) + " in " +
                                BmFontExtension(form.format) + " form " + std::to_string(i);
      EXPECT_EQ(form.value.substr(0, expected[i].size()), expected[i]) << label;
      if (form.format == BmFontFormat::kXml || form.format == BmFontFormat::kJson) {
        EXPECT_TRUE(CarriesOnlyInterchangeableText(Text(EncodeBmFont(font, form.format))))
            << label;
      }
      const Status named = CheckPageNames({"out" / std::filesystem::path(page)}, descriptor,
                                          form.format);
      if (named) {
        EXPECT_EQ(form.refuses, "") << label << ": taken as a page file name";
        if (form.format != BmFontFormat::kBinary) {
          EXPECT_EQ(Unescaped(expected[i], form.format), c.name) << label;
        }
        continue;
      }
      EXPECT_EQ(named.failure().detail.name, page) << label;
      EXPECT_EQ(named.failure().detail.file, descriptor.string()) << label;
      const std::string reason = ": " + form.refuses + " cannot stand in the " + form.place;
      EXPECT_TRUE(named.error().ends_with(reason)) << label << ": " << named.error();
    }
  }
}

}  // namespace
}  // namespace glyphsheet

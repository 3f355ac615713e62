#include "files/bmfont_descriptor.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

#include "sheet/error_text.h"
#include "sheet/saturate.h"
#include "sheet/unicode_text.h"

namespace glyphsheet {

namespace {

// What every descriptor says alike: glyphs in the alpha channel (0: glyph
// data) of white images (4: the colour channels are set to one), each
// character in all four channels of its page (chnl 15).
constexpr int32_t kStretchH = 100;
constexpr int32_t kAlphaChnl = 0;
constexpr int32_t kColourChnl = 4;
constexpr int32_t kCharChnl = 15;

// The three textual forms share one list of fields per line or element and
// differ only in how a field is written.
using Numbers = std::vector<int64_t>;
using Value = std::variant<int64_t, std::string_view, Numbers>;
using Fields = std::vector<std::pair<const char*, Value>>;

Fields InfoFields(const BmFontInfo& info) {
  const auto& [up, right, down, left] = info.padding;
  return {{"face", info.face},
          {"size", info.size},
          {"bold", int64_t{info.bold}},
          {"italic", int64_t{info.italic}},
          {"charset", std::string_view{}},
          {"unicode", 1},
          {"stretchH", kStretchH},
          {"smooth", int64_t{info.smooth}},
          {"aa", info.aa},
          {"padding", Numbers{up, right, down, left}},
          {"spacing", Numbers{0, 0}},
          {"outline", 0}};
}

Fields CommonFields(const BmFontCommon& common) {
  return {{"lineHeight", common.lineHeight},
          {"base", common.base},
          {"scaleW", common.scaleW},
          {"scaleH", common.scaleH},
          {"pages", common.pages},
          {"packed", 0},
          {"alphaChnl", kAlphaChnl},
          {"redChnl", kColourChnl},
          {"greenChnl", kColourChnl},
          {"blueChnl", kColourChnl}};
}

Fields PageFields(int64_t id, std::string_view file) { return {{"id", id}, {"file", file}}; }

Fields CharFields(const BmFontChar& c) {
  return {{"id", c.id},           {"x", c.x},
          {"y", c.y},             {"width", c.width},
          {"height", c.height},   {"xoffset", c.xoffset},
          {"yoffset", c.yoffset}, {"xadvance", c.xadvance},
          {"page", c.page},       {"chnl", kCharChnl}};
}

Fields KerningFields(const BmFontKerning& k) {
  return {{"first", k.first}, {"second", k.second}, {"amount", k.amount}};
}

Fields CountField(size_t count) { return {{"count", static_cast<int64_t>(count)}}; }

// The length of the ill-formed UTF-8 at text[pos]: the longest start of a
// well-formed sequence there, or its one byte, as decoders replace it (a
// sequence cut short is one U+FFFD, a stray byte one each).
size_t IllFormedLength(std::string_view text, size_t pos) {
  const auto lead = static_cast<uint8_t>(text[pos]);
  size_t need = 0;
  uint8_t low = 0x80, high = 0xBF;  // the range of the byte after the lead
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 2;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 3;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  }
  size_t length = 1;
  for (; length <= need && pos + length < text.size(); ++length) {
    const auto next = static_cast<uint8_t>(text[pos + length]);
    if (next < low || next > high) break;
    low = 0x80, high = 0xBF;
  }
  return length;
}

// Calls visit(bytes, character) for each character of a text in order: a
// well-formed UTF-8 character with its code point, an ill-formed sequence
// with none.
template <class Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const std::optional<char32_t> ch = DecodeUtf8(text, pos);
    if (!ch) pos = start + IllFormedLength(text, start);
    visit(text.substr(start, pos - start), ch);
  }
}

// What XML and JSON never carry: a noncharacter (XML allows neither U+FFFE
// nor U+FFFF, and none is meant for interchange) or bytes that are not UTF-8
// (the file would be neither well-formed XML nor valid JSON). Each such
// character, and each ill-formed sequence, is written as U+FFFD.
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool MarkupCannotCarry(std::optional<char32_t> ch) { return !ch || IsNoncharacter(*ch); }

// A string in the text form sits between double quotes that nothing escapes,
// so a quote inside it is written as an apostrophe. Control characters (C0,
// DEL, C1) become spaces in the text form (a line end would end the line)
// and in XML (which cannot hold most C0 ones, reads the others in an
// attribute as spaces, and discourages DEL and C1). The text form keeps
// every other byte as it is.
std::string TextOrXmlString(std::string_view text, BmFontFormat format) {
  const bool xml = format == BmFontFormat::kXml;
  std::string out;
  ForEachCharacter(text, [&](std::string_view bytes, std::optional<char32_t> ch) {
    if (xml && MarkupCannotCarry(ch)) {
      out += kReplacement;
    } else if (ch && IsControlCharacter(*ch)) {
      out += ' ';
    } else if (!xml) {
      out += ch == U'"' ? std::string_view("'") : bytes;
    } else {
      switch (*ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += bytes;
      }
    }
  });
  return out;
}

// JSON holds any text: quotes and backslashes escaped, C0 control characters
// as \u00XX, the rest (UTF-8) as it is, but for what it never carries.
std::string JsonString(std::string_view text) {
  std::string out = "\"";
  ForEachCharacter(text, [&out](std::string_view bytes, std::optional<char32_t> ch) {
    if (MarkupCannotCarry(ch)) {
      out += kReplacement;
    } else if (*ch == '"' || *ch == '\\') {
      out += '\\';
      out += bytes;
    } else if (*ch < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[*ch >> 4];
      out += kHex[*ch & 0xF];
    } else {
      out += bytes;
    }
  });
  return out + '"';
}

std::string ValueText(const Value& value, BmFontFormat format) {
  if (const auto* number = std::get_if<int64_t>(&value)) return std::to_string(*number);
  if (const auto* text = std::get_if<std::string_view>(&value)) {
    if (format == BmFontFormat::kJson) return JsonString(*text);
    const std::string quoted = TextOrXmlString(*text, format);
    // XML quotes every value itself.
    return format == BmFontFormat::kText ? '"' + quoted + '"' : quoted;
  }
  // Lists: "1,2" in text and XML, [1, 2] in JSON.
  const bool json = format == BmFontFormat::kJson;
  std::string out;
  for (const int64_t number : std::get<Numbers>(value)) {
    if (!out.empty()) out += json ? ", " : ",";
    out += std::to_string(number);
  }
  return json ? '[' + out + ']' : out;
}

// The fields as the form writes them: ` key=value` (text), ` key="value"`
// (XML), `"key": value, ...` (JSON).
std::string FieldsText(const Fields& fields, BmFontFormat format) {
  std::string out;
  for (const auto& [key, value] : fields) {
    if (format == BmFontFormat::kJson) {
      if (!out.empty()) out += ", ";
      out += JsonString(key) + ": " + ValueText(value, format);
    } else {
      const char* quote = format == BmFontFormat::kXml ? "\"" : "";
      out += std::string(" ") + key + '=' + quote + ValueText(value, format) + quote;
    }
  }
  return out;
}

// The record of a distance-field sheet: a signed field ("sdf"), one channel.
// The type is a string like the others, quoted in the text form too (a
// reader that takes a bare value for a number would lose it).
Fields DistanceFieldFields(const BmFont& font) {
  return {{"fieldType", std::string_view{"sdf"}}, {"distanceRange", font.distanceRange}};
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Lines in AngelCode's order. A font without kerning still says so
// ("kernings count=0"), as the XML and JSON forms say it with an empty list;
// only the binary form, whose blocks are counted by their size, leaves the
// kerning block out.
std::string EncodeText(const BmFont& font) {
  std::string out;
  const auto line = [&out](const char* tag, const Fields& fields) {
    out += tag + FieldsText(fields, BmFontFormat::kText) + '\n';
  };
  line("info", InfoFields(font.info));
  line("common", CommonFields(font.common));
  if (font.distanceRange > 0) line("distanceField", DistanceFieldFields(font));
  for (size_t i = 0; i < font.pages.size(); ++i) {
    line("page", PageFields(static_cast<int64_t>(i), font.pages[i]));
  }
  line("chars", CountField(font.chars.size()));
  for (const BmFontChar& c : font.chars) line("char", CharFields(c));
  line("kernings", CountField(font.kernings.size()));
  for (const BmFontKerning& k : font.kernings) line("kerning", KerningFields(k));
  return out;
}

std::string XmlElement(const char* indent, const char* tag, const Fields& fields) {
  return indent + ('<' + (tag + FieldsText(fields, BmFontFormat::kXml))) + "/>\n";
}

// A counted list: <chars count="N"> with one element per item, or an empty
// element when there are none.
template <class Item>
std::string XmlList(const char* tag, const char* itemTag, const std::vector<Item>& items,
                    Fields (*fields)(const Item&)) {
  if (items.empty()) return XmlElement("  ", tag, CountField(0));
  std::string out =
      "  <" + (tag + FieldsText(CountField(items.size()), BmFontFormat::kXml)) + ">\n";
  for (const Item& item : items) out += XmlElement("    ", itemTag, fields(item));
  return out + "  </" + tag + ">\n";
}

std::string EncodeXml(const BmFont& font) {
  std::string pages;
  for (size_t i = 0; i < font.pages.size(); ++i) {
    pages += XmlElement("    ", "page", PageFields(static_cast<int64_t>(i), font.pages[i]));
  }
  return "<?xml version=\"1.0\"?>\n<font>\n" + XmlElement("  ", "info", InfoFields(font.info)) +
         XmlElement("  ", "common", CommonFields(font.common)) +
         (font.distanceRange > 0
              ? XmlElement("  ", "distanceField", DistanceFieldFields(font))
              : std::string()) +
         "  <pages>\n" + pages +
         "  </pages>\n" +
         XmlList("chars", "char", font.chars, CharFields) +
         XmlList("kernings", "kerning", font.kernings, KerningFields) + "</font>\n";
}

template <class Item>
std::string JsonList(const std::vector<Item>& items, Fields (*fields)(const Item&)) {
  if (items.empty()) return "[]";
  std::string out = "[";
  for (const Item& item : items) {
    out += (out.size() > 1 ? ",\n    {" : "\n    {") +
           FieldsText(fields(item), BmFontFormat::kJson) + '}';
  }
  return out + "\n  ]";
}

// The object web loaders make of the other forms: pages as a list of file
// names, then chars, info, common, kernings.
std::string EncodeJson(const BmFont& font) {
  const auto object = [](const Fields& fields) {
    return '{' + FieldsText(fields, BmFontFormat::kJson) + '}';
  };
  std::string pages;
  for (const std::string& page : font.pages) pages += (pages.empty() ? "" : ", ") + JsonString(page);
  return "{\n  \"pages\": [" + pages +
         "],\n  \"chars\": " + JsonList(font.chars, CharFields) +
         ",\n  \"info\": " + object(InfoFields(font.info)) +
         ",\n  \"common\": " + object(CommonFields(font.common)) +
         (font.distanceRange > 0
              ? ",\n  \"distanceField\": " + object(DistanceFieldFields(font))
              : std::string()) +
         ",\n  \"kernings\": " + JsonList(font.kernings, KerningFields) + "\n}\n";
}

// The binary form's little-endian fields. A value outside a field's range is
// held to its nearest end (a 16-bit x of 70000 is written 65535, a padding of
// -1 is written 0).
class BinaryWriter {
 public:
  template <class T>
  void Put(int64_t value) {
    const auto bits = static_cast<std::make_unsigned_t<T>>(SaturateTo<T>(value));
    for (size_t i = 0; i < sizeof(T); ++i) bytes_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  }

  // A NUL would end the string early; it is written as a space.
  void PutString(std::string_view text) {
    for (const char ch : text) bytes_.push_back(ch == '\0' ? ' ' : static_cast<uint8_t>(ch));
    bytes_.push_back(0);
  }

  // Starts a block: its type, and its size, filled in by EndBlock.
  void BeginBlock(uint8_t type) {
    bytes_.push_back(type);
    blockStart_ = bytes_.size();
    Put<int32_t>(0);
  }
  void EndBlock() {
    BinaryWriter size;
    size.Put<int32_t>(static_cast<int64_t>(bytes_.size() - blockStart_ - 4));
    std::copy(size.bytes_.begin(), size.bytes_.end(), bytes_.begin() + blockStart_);
  }

  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
  size_t blockStart_ = 0;
};

// "BMF", version 3, then the blocks info (1), common (2), pages (3), chars (4)
// and, when there is kerning, kerning pairs (5). The info bit field is read
// from its high bit down: smooth, unicode, italic, bold, fixed height.
std::vector<uint8_t> EncodeBinary(const BmFont& font) {
  BinaryWriter out;
  for (const char letter : {'B', 'M', 'F'}) out.Put<uint8_t>(letter);
  out.Put<uint8_t>(3);

  const BmFontInfo& info = font.info;
  out.BeginBlock(1);
  out.Put<int16_t>(info.size);
  out.Put<uint8_t>(0x80 * info.smooth + 0x40 + 0x20 * info.italic + 0x10 * info.bold);
  out.Put<uint8_t>(0);  // charset: none, the ids are Unicode
  out.Put<uint16_t>(kStretchH);
  out.Put<uint8_t>(info.aa);
  for (const int32_t padding : info.padding) out.Put<uint8_t>(padding);
  for (const int spacingOrOutline : {0, 0, 0}) out.Put<uint8_t>(spacingOrOutline);
  out.PutString(info.face);
  out.EndBlock();

  const BmFontCommon& common = font.common;
  out.BeginBlock(2);
  for (const int32_t value :
       {common.lineHeight, common.base, common.scaleW, common.scaleH, common.pages}) {
    out.Put<uint16_t>(value);
  }
  out.Put<uint8_t>(0);  // not packed
  for (const int32_t chnl : {kAlphaChnl, kColourChnl, kColourChnl, kColourChnl}) {
    out.Put<uint8_t>(chnl);
  }
  out.EndBlock();

  // Page names one after another, each with its 0 (readers expect them all
  // of one length, which the export's names have).
  out.BeginBlock(3);
  for (const std::string& page : font.pages) out.PutString(page);
  out.EndBlock();

  out.BeginBlock(4);
  for (const BmFontChar& c : font.chars) {
    out.Put<uint32_t>(c.id);
    for (const int32_t value : {c.x, c.y, c.width, c.height}) out.Put<uint16_t>(value);
    for (const int32_t value : {c.xoffset, c.yoffset, c.xadvance}) out.Put<int16_t>(value);
    out.Put<uint8_t>(c.page);
    out.Put<uint8_t>(kCharChnl);
  }
  out.EndBlock();

  if (!font.kernings.empty()) {
    out.BeginBlock(5);
    for (const BmFontKerning& k : font.kernings) {
      out.Put<uint32_t>(k.first);
      out.Put<uint32_t>(k.second);
      out.Put<int16_t>(k.amount);
    }
    out.EndBlock();
  }
  return out.Take();
}

// A character of a page file name that a form cannot hold exactly.
struct UnfitCharacter {
  size_t offset = 0;           // where it starts in the name, in bytes
  std::optional<char32_t> ch;  // nothing for a byte that is not UTF-8
  uint8_t byte = 0;            // its first byte
};

// The first character of a page file name that the form cannot hold
// exactly (as CheckPageNames says), or nothing. The binary form holds any
// bytes but NUL, which no file name has.
std::optional<UnfitCharacter> FirstUnfitCharacter(std::string_view name, BmFontFormat format) {
  std::optional<UnfitCharacter> unfit;
  if (format == BmFontFormat::kBinary) return unfit;
  size_t offset = 0;
  ForEachCharacter(name, [&](std::string_view bytes, std::optional<char32_t> ch) {
    const bool fits = ch && !IsControlCharacter(*ch) &&
                      (format == BmFontFormat::kText ? *ch != U'"' : !IsNoncharacter(*ch));
    if (!fits && !unfit) unfit = UnfitCharacter{offset, ch, static_cast<uint8_t>(bytes[0])};
    offset += bytes.size();
  });
  return unfit;
}

}  // namespace

std::vector<uint8_t> EncodeBmFont(const BmFont& font, BmFontFormat format) {
  switch (format) {
    case BmFontFormat::kText: return Bytes(EncodeText(font));
    case BmFontFormat::kXml: return Bytes(EncodeXml(font));
    case BmFontFormat::kBinary: return EncodeBinary(font);
    case BmFontFormat::kJson: return Bytes(EncodeJson(font));
  }
  return {};
}

Status CheckPageNames(const std::vector<std::filesystem::path>& pages,
                      const std::filesystem::path& descriptor, BmFontFormat format) {
  static_assert(static_cast<int>(BmFontFormat::kText) == 0 &&
                    static_cast<int>(BmFontFormat::kXml) == 1 &&
                    static_cast<int>(BmFontFormat::kJson) == 3,
                "the numbers ErrorDetail gives the forms");
  for (const std::filesystem::path& page : pages) {
    const std::string name = page.filename().string();
    const std::optional<UnfitCharacter> unfit = FirstUnfitCharacter(name, format);
    if (!unfit) continue;
    ErrorDetail detail;
    detail.action = FileAction::kWrite;
    detail.file = descriptor.string();
    detail.problem = Problem::kUnnameablePage;
    detail.name = name;
    detail.numbers = {static_cast<int64_t>(format), unfit->ch ? int64_t{*unfit->ch} : -1,
                      static_cast<int64_t>(unfit->offset), unfit->byte};
    return MakeError(std::move(detail));
  }
  return Ok();
}

const char* BmFontExtension(BmFontFormat format) {
  switch (format) {
    case BmFontFormat::kXml: return ".xml";
    case BmFontFormat::kJson: return ".json";
    case BmFontFormat::kText:
    case BmFontFormat::kBinary: break;
  }
  return ".fnt";
}

}  // namespace glyphsheet

#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "sheet/bmfont_model.h"
#include "sheet/result.h"

namespace glyphsheet {

/// The forms of a BMFont descriptor that engines read.
enum class BmFontFormat {
  /// AngelCode's text lines ("info face=... size=...").
  kText,
  /// The same as XML elements with attributes.
  kXml,
  /// AngelCode's binary form, version 3 (five blocks).
  kBinary,
  /// JSON with the fields and nesting the web's BMFont loaders return:
  /// pages, chars, info, common, kernings.
  kJson,
};

/// The descriptor's bytes in one form. Every form holds the same values;
/// a form that cannot hold a value holds the nearest one it can: the binary
/// form's 8- and 16-bit fields are held to their range, a NUL in a name is
/// written as a space in binary, a double quote as an apostrophe in text,
/// control characters (C0, DEL, C1) as spaces in text and XML. XML and JSON
/// never carry a noncharacter or bytes that are not UTF-8: each such
/// character, and each ill-formed sequence, is written as U+FFFD. Page file
/// names are written the same way; the export refuses beforehand the ones a
/// form would not hold exactly (CheckPageNames). A font without kerning has
/// an empty kerning list in the textual forms and no kerning block in binary.
std::vector<uint8_t> EncodeBmFont(const BmFont& font, BmFontFormat format);

/// Refuses page images whose file names (as the descriptor `descriptor`
/// names them) the form cannot hold exactly, naming the first character it
/// cannot (Problem::kUnnameablePage): no form but binary holds a control
/// character (C0, DEL, C1) or a byte that is not UTF-8; the text form, whose
/// values are quoted with nothing escaped, no double quote; XML and JSON no
/// noncharacter. The binary form holds any name.
Status CheckPageNames(const std::vector<std::filesystem::path>& pages,
                      const std::filesystem::path& descriptor, BmFontFormat format);

/// The extension of a descriptor file of the form: ".fnt" for text and
/// binary, ".xml", ".json".
const char* BmFontExtension(BmFontFormat format);

}  // namespace glyphsheet

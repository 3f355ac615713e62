#pragma once

#include <cstdint>
#include <vector>

#include "sheet/bmfont_model.h"

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
/// control characters as spaces in text and XML. A font without kerning has
/// an empty kerning list in the textual forms and no kerning block in binary.
std::vector<uint8_t> EncodeBmFont(const BmFont& font, BmFontFormat format);

/// The extension of a descriptor file of the form: ".fnt" for text and
/// binary, ".xml", ".json".
const char* BmFontExtension(BmFontFormat format);

}  // namespace glyphsheet

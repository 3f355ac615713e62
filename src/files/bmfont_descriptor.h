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
/// a form that cannot hold a value (the binary one's 16-bit fields) holds
/// the nearest one it can.
std::vector<uint8_t> EncodeBmFont(const BmFont& font, BmFontFormat format);

/// The extension of a descriptor file of the form: ".fnt" for text and
/// binary, ".xml", ".json".
const char* BmFontExtension(BmFontFormat format);

}  // namespace glyphsheet

#pragma once

#include <string_view>

namespace glyphsheet {

/// The characters of one hanzi, kanji or hangul range of a double-byte code
/// page ("big5-level1", "gb2312-level2", "jis-level1", "hangul-2350", ...) in
/// byte order, as the system's iconv converted them when the program was built
/// (cjk_tables_generator writes the definition); empty for any other name.
std::u16string_view CjkTable(std::string_view name);

}  // namespace glyphsheet

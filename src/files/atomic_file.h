#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "sheet/result.h"

namespace glyphsheet {

/// Writes bytes to path through a temporary file in the same folder that is
/// renamed over path only when complete, so path is either left as it was or
/// holds all the new bytes. The message of a failure names the file and the
/// reason; no temporary file remains.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace glyphsheet

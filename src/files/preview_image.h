#pragma once

#include <filesystem>

#include "sheet/result.h"
#include "sheet/text_preview.h"

namespace glyphsheet {

/// Writes a text preview as an opaque RGBA PNG, replacing `path` only when
/// the whole image is written; the message of a failure names the file.
Status WritePreviewImage(const std::filesystem::path& path, const TextPreview& preview);

}  // namespace glyphsheet

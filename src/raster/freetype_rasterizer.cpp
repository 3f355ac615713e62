#include "raster/freetype_rasterizer.h"

#include <sys/stat.h>

#include <optional>

#include "raster/freetype_font.h"
#include "raster/freetype_handles.h"
#include "raster/typeface_catalog.h"
#include "sheet/error_text.h"
#include "sheet/settings.h"

namespace glyphsheet {

namespace {
// Em sizes accepted. Fonts keep every rendered glyph, and one glyph at the
// largest is already up to 4 MB; sheets need at most about 540.
constexpr SettingRange kPixelHeightRange{1, 2048};
}  // namespace

struct FreeTypeRasterizer::Impl {
  Result<raster::LibraryPtr> library = raster::CreateLibrary();
  // Scanned on first use; fontconfig is asked once per rasterizer.
  mutable std::optional<raster::TypefaceScan> scan;

  const raster::TypefaceScan& Scan() const {
    if (!scan) scan = library ? raster::ScanTypefaces(library.value().get()) : raster::TypefaceScan{};
    return *scan;
  }
  const std::vector<raster::Typeface>& Typefaces() const { return Scan().typefaces; }

  const raster::Typeface* Find(const std::string& name) const {
    const auto found = FindTypefaceIn(Typefaces(), name, &raster::Typeface::name);
    return found == Typefaces().end() ? nullptr : &*found;
  }
};

FreeTypeRasterizer::FreeTypeRasterizer() : impl_(std::make_unique<Impl>()) {}
FreeTypeRasterizer::~FreeTypeRasterizer() = default;

Result<std::unique_ptr<FreeTypeRasterizer>> FreeTypeRasterizer::FromFontFile(
    const std::string& path, int32_t index) {
  auto rasterizer = std::make_unique<FreeTypeRasterizer>();
  Impl& impl = *rasterizer->impl_;
  if (!impl.library) return impl.library.failure();
  // FreeType would wait on a FIFO for ever, and read a device without end.
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    return NotRegularFile(FileAction::kRead, path, info.st_mode);
  }
  auto typeface = raster::ReadTypeface(impl.library.value().get(), path, index);
  if (!typeface) return typeface.failure();
  std::string name = typeface.value().name;
  impl.scan = raster::TypefaceScan{{std::move(typeface).value()}, std::move(name)};
  return rasterizer;
}

std::string FreeTypeRasterizer::DefaultTypeface() const { return impl_->Scan().sansSerif; }

Result<std::unique_ptr<TextRasterizer>> FreeTypeRasterizer::ForFontFile(const std::string& path,
                                                                        int32_t index) const {
  auto file = FromFontFile(path, index);
  if (!file) return file.failure();
  return std::unique_ptr<TextRasterizer>(std::move(file).value());
}

std::string FreeTypeRasterizer::ClosestTypeface(const std::string& name) const {
  // A rasterizer of one font file has only its own typeface.
  if (impl_->Typefaces().size() <= 1) return impl_->Scan().sansSerif;
  return raster::ClosestTypeface(impl_->Scan(), name);
}

std::vector<std::string> FreeTypeRasterizer::ListTypefaces() const {
  std::vector<std::string> names;
  for (const auto& typeface : impl_->Typefaces()) names.push_back(typeface.name);
  return names;
}

Result<std::unique_ptr<RasterFont>> FreeTypeRasterizer::CreateFont(const FontRequest& request) const {
  if (!impl_->library) return ForTypeface(impl_->library.failure(), request.face);
  if (!kPixelHeightRange.Contains(request.pixelHeight)) {
    return FontError(Problem::kPixelHeight, {},
                     {request.pixelHeight, kPixelHeightRange.min, kPixelHeightRange.max}, {},
                     request.face);
  }
  const raster::Typeface* typeface = impl_->Find(request.face);
  if (typeface == nullptr) return MakeError(FaceNotInstalled(request.face));
  const bool bold = request.weight > kBoldAbove;
  const raster::FaceFile& file = raster::ChooseFace(*typeface, bold, request.italic);
  raster::FontStyle style;
  style.pixelHeight = request.pixelHeight;
  style.emboldenOutline = bold && !file.bold;
  style.slantOutline = request.italic && !file.italic;
  style.antialiased = request.antialiased;
  style.distanceSpread = request.distanceSpread;
  return raster::FreeTypeFont::Create(impl_->library.value(), typeface->name, file, style);
}

}  // namespace glyphsheet

// Feeds arbitrary bytes to the project reader and, when they are accepted,
// applies them to a document and writes them back: nothing may crash, and a
// file that was accepted must encode to bytes that decode to the same project.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "files/project_file.h"

namespace {

bool SameGlyphs(const glyphsheet::ProjectData& a, const glyphsheet::ProjectData& b) {
  if (a.glyphs.size() != b.glyphs.size()) return false;
  for (size_t i = 0; i < a.glyphs.size(); ++i) {
    if (a.glyphs[i].code != b.glyphs[i].code || a.glyphs[i].leftBorder != b.glyphs[i].leftBorder ||
        a.glyphs[i].rightBorder != b.glyphs[i].rightBorder)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace glyphsheet;
  const auto project = DecodeProject(std::span<const uint8_t>(data, size));
  if (!project) return 0;

  SheetDocument doc;
  doc.font.faceName = "Fake Sans";
  ApplyProject(project.value(), doc, {"Fake Mono", "Fake Sans", "fake serif"});
  if (!kBorderRange.Contains(doc.borders.left) || !kPointSizeRange.Contains(doc.font.pointSize) ||
      !kSmoothingRange.Contains(doc.font.smoothing))
    std::abort();

  const auto again = DecodeProject(EncodeProject(project.value()));
  if (!again || again.value().font.faceName != project.value().font.faceName ||
      again.value().sheetWidth != project.value().sheetWidth ||
      !SameGlyphs(again.value(), project.value()))
    std::abort();
  return 0;
}

// The glyph list of the window with many glyphs, on Qt's offscreen platform
// and the fake rasterizer of the tests: showing the list anew after a
// rebuild (the model reset and the selection kept, the missing characters
// found again), the same list filled item by item as a plain combo box is,
// a whole sheet-size step of the window, and opening the list's popup.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>

#include "sheet/unicode_text.h"
#include "support/fake_rasterizer.h"
#include "ui/glyph_list_model.h"
#include "ui/glyph_sheet_dialog.h"

namespace glyphsheet {
namespace {

using testing::FakeFont;
using testing::FakeRasterizer;

// The first `count` characters from U+4E00 on that can be glyphs: the CJK
// ideographs, then Yi, hangul and on into plane 1.
std::u32string ManyCharacters(int64_t count) {
  std::u32string characters;
  for (char32_t ch = 0x4E00; static_cast<int64_t>(characters.size()) < count; ++ch) {
    if (!CharacterRefusal(ch)) characters.push_back(ch);
  }
  return characters;
}

// A font that lacks every hundredth of the characters.
std::unique_ptr<FakeFont> LackingFont(const std::u32string& characters) {
  auto font = std::make_unique<FakeFont>(18);
  for (size_t i = 0; i < characters.size(); i += 100) font->lacking.insert(characters[i]);
  return font;
}

// What the window does with its glyph combo after every rebuild.
void ListRebuild(benchmark::State& state) {
  SheetDocument doc;
  const std::u32string characters = ManyCharacters(state.range(0));
  doc.AddGlyphs(characters);
  const std::unique_ptr<FakeFont> font = LackingFont(characters);
  QComboBox combo;
  GlyphListModel model(doc.glyphs);
  ListGlyphsIn(&combo, &model);
  model.Refresh(font.get());
  combo.setCurrentIndex(static_cast<int>(characters.size()) - 2);
  for (auto _ : state) {
    const int selected = combo.currentIndex();
    model.Refresh(font.get());
    combo.setCurrentIndex(selected < combo.count() ? selected : -1);
    benchmark::DoNotOptimize(combo.currentText());
  }
  state.counters["missing"] = static_cast<double>(model.MissingCount());
}

// The same list as a plain combo box holds it: every item made anew.
void ItemByItem(benchmark::State& state) {
  const std::u32string characters = ManyCharacters(state.range(0));
  QComboBox combo;
  for (auto _ : state) {
    const int selected = combo.currentIndex();
    combo.clear();
    for (const char32_t ch : characters) combo.addItem(QString::fromStdString(GlyphLabel(ch)));
    combo.setCurrentIndex(selected < combo.count() ? selected : -1);
    benchmark::DoNotOptimize(combo.currentText());
  }
}

class NoFiles : public FileChooser {
 public:
  std::optional<QString> GetSaveFileName(QWidget*, const FileDialogOptions&, int*) override {
    return std::nullopt;
  }
  std::optional<QString> GetOpenFileName(QWidget*, const FileDialogOptions&) override {
    return std::nullopt;
  }
};

class NoMessages : public MessageSink {
 public:
  void ShowError(QWidget*, const QString&) override {}
  void ShowNote(QWidget*, const QString&) override {}
  SaveChoice AskToSave(QWidget*, const QString&) override { return SaveChoice::kDiscard; }
};

// The window's whole answer to a click on another sheet width: the sheet
// laid out and drawn, the list shown anew, the status line.
void WindowSizeStep(benchmark::State& state) {
  FakeRasterizer rasterizer;
  NoFiles files;
  NoMessages messages;
  GlyphSheetDialog window(rasterizer, files, messages);
  window.show();
  window.AddCharacters(QString::fromStdU32String(ManyCharacters(state.range(0))));
  QRadioButton* widths[] = {window.findChild<QRadioButton*>(QStringLiteral("width128")),
                            window.findChild<QRadioButton*>(QStringLiteral("width256"))};
  int step = 0;
  for (auto _ : state) {
    step = 1 - step;
    widths[step]->click();
  }
}

// Opening the list and closing it again.
void OpenPopup(benchmark::State& state) {
  SheetDocument doc;
  const std::u32string characters = ManyCharacters(state.range(0));
  doc.AddGlyphs(characters);
  QComboBox combo;
  GlyphListModel model(doc.glyphs);
  ListGlyphsIn(&combo, &model);
  model.Refresh(nullptr);
  combo.show();
  for (auto _ : state) {
    combo.showPopup();
    combo.hidePopup();
    // The next opening follows a rebuild, as it would in the window.
    state.PauseTiming();
    model.Refresh(nullptr);
    state.ResumeTiming();
  }
}

}  // namespace
}  // namespace glyphsheet

int main(int argc, char** argv) {
  using namespace glyphsheet;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const auto ms = benchmark::kMillisecond;
  for (const int64_t glyphs : {13000, 100000}) {
    benchmark::RegisterBenchmark("list rebuild", ListRebuild)->Arg(glyphs)->Unit(ms);
    benchmark::RegisterBenchmark("items added one by one", ItemByItem)->Arg(glyphs)->Unit(ms);
    benchmark::RegisterBenchmark("window sheet-size step", WindowSizeStep)->Arg(glyphs)->Unit(ms);
    benchmark::RegisterBenchmark("popup opened", OpenPopup)->Arg(glyphs)->Unit(ms);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

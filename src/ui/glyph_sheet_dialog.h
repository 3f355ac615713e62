#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QString>

#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/result.h"
#include "sheet/sheet_font.h"
#include "sheet/sheet_document.h"
#include "ui/file_chooser.h"

class QButtonGroup;

namespace Ui {
class GlyphSheetDialog;
}

namespace glyphsheet {

class GlyphListModel;
class TextPreviewDialog;

/// The main window: the controls, the menu and the preview of one page of the
/// sheet. Owns the document, the sheet bitmap and the sheet font; every change
/// of a setting, a border, the size or the glyph list rebuilds the whole
/// sheet, its cells continued on as many pages as they take.
/// Enter and Escape do nothing here; File > Exit and the close box end it.
class GlyphSheetDialog : public QMainWindow {
  Q_OBJECT

 public:
  /// Builds the window and the first (empty) sheet. The rasterizer, file
  /// chooser and message sink must outlive the window.
  GlyphSheetDialog(const TextRasterizer& rasterizer, FileChooser& fileChooser,
                   MessageSink& messages, QWidget* parent = nullptr);
  ~GlyphSheetDialog() override;

  /// Selects the installed typeface equal to name without regard to case, as
  /// if the user picked it; false when none is installed.
  bool SelectFace(const QString& name);

  /// Takes the width and height radio choices as the sheet size and rebuilds.
  void ApplySheetSize();
  /// Follows the smallest-sheet check box: while it is checked every rebuild
  /// takes the smallest sheet that holds every cell (else the largest) and the
  /// radios only show it; unchecked, the radios rule again. Rebuilds.
  void OnFitChanged();
  /// Shows page `number` (from 1) of the sheet; no rebuild.
  void OnPageChosen(int number);
  /// Takes the font-wide borders, recreates the sheet font and rebuilds once started.
  void OnFontChanged();
  /// Gives the selected glyph the borders of the glyph border spins and rebuilds.
  void OnGlyphBorderChanged();
  /// Shows the borders of glyph `index` in the glyph border spins; changes no glyph.
  void OnGlyphSelected(int index);
  /// Follows the show-rectangles check box and repaints the preview.
  void OnShowRectsChanged();
  /// File > New: empties the glyph list and rebuilds; settings stay.
  void OnNew();
  /// File > Open: reads a project, shows its settings, rebuilds. A file that
  /// cannot be read is reported and changes nothing.
  void LoadProject();
  /// Reads the project file at path as File > Open does once a file is chosen.
  void OpenProject(const std::filesystem::path& path);
  /// File > Save: writes the project file.
  void SaveProject();
  /// File > Export: writes the first sheet's image, then the glyph descriptor; no rebuild.
  void ExportSheet();
  /// File > Export as BMFont: writes a PNG per page and a BMFont descriptor in
  /// the form of the chosen filter (remembered for next time); no rebuild.
  void ExportBmFont();
  /// Tools > Text preview: opens (or raises) the sample text set with the sheet.
  void ShowTextPreview();
  /// The open text preview, or nullptr.
  TextPreviewDialog* TextPreview() const { return textPreview_; }
  /// Tools > Add characters: asks for text and adds it.
  void OnAddChars();
  /// Adds every character of the text that can be a glyph (control characters
  /// and noncharacters are named in a message), then rebuilds, also when
  /// nothing was added.
  void AddCharacters(const QString& text);
  /// Tools > Character Sets: adds the chosen sets and ranges and rebuilds;
  /// Cancel changes nothing.
  void OnCharacterSets();

 private:
  // The tests look at the document and the sheet bitmap directly.
  friend struct GlyphSheetDialogInside;

  void ConnectControls();
  int FaceIndex(const std::string& face) const;
  void PullFontSettings();
  void ApplyLoadedFontSettings();
  void RecreateSheetFont();
  void RebuildSheet();
  void FitSheetSize();
  void DrawShownPage();
  void ShowPageChoice();
  void RefillGlyphCombo();
  void ShowSheetSizeChoices();
  void UpdateStatus();
  /// Shows a failed action on the file the user chose.
  void ReportFailure(const QString& what, const std::filesystem::path& chosen, const Error& error);

  const TextRasterizer& rasterizer_;
  FileChooser& fileChooser_;
  MessageSink& messages_;
  std::unique_ptr<Ui::GlyphSheetDialog> ui_;
  QButtonGroup* widthGroup_ = nullptr;
  QButtonGroup* heightGroup_ = nullptr;

  SheetDocument doc_;
  /// One page of the sheet, at least 512 pixels each way (hatch beyond the
  /// sheet), its first 4096 each way at most.
  PixelBitmap sheetBitmap_;
  /// The page the sheet bitmap holds, from 0.
  int32_t shownPage_ = 0;
  SheetFontCache sheetFont_;
  std::vector<std::string> typefaces_;
  /// Why the sheet font could not be made; none when it exists.
  std::optional<Error> fontError_;
  /// The typeface a loaded project asked for and this machine lacks.
  std::string missingFace_;
  /// What the glyph combo lists; it belongs to the window.
  GlyphListModel* glyphModel_ = nullptr;
  /// Made when first asked for; it belongs to the window.
  TextPreviewDialog* textPreview_ = nullptr;
  bool initialized_ = false;
};

}  // namespace glyphsheet

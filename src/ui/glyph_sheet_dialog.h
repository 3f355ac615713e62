#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QString>

#include "sheet/font_file_rasterizer.h"
#include "sheet/text_rasterizer.h"
#include "sheet/pixel_bitmap.h"
#include "sheet/result.h"
#include "sheet/sheet_font.h"
#include "sheet/sheet_document.h"
#include "files/project_file.h"
#include "files/sheet_export.h"
#include "ui/file_chooser.h"

class QButtonGroup;
class QMenu;
class QUndoStack;

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
/// Enter and Escape do nothing here; File > Exit and the close box end it,
/// asking first to save changes. Every change of a setting, a border or the
/// characters can be undone (Edit > Undo, Ctrl+Z) and redone; the title
/// names the project's file and marks unsaved changes.
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
  /// File > Save: writes the project to its file, or asks for one as Save
  /// As does when it has none yet.
  void SaveProject();
  /// File > Save As: asks for a file and writes the project there.
  void SaveProjectAs();
  /// Puts the window where and as large as it was when last closed.
  void RestoreWindowGeometry();
  /// Help > About: the version and the licences.
  void ShowAbout();
  /// The window's undo stack (Edit > Undo and Redo act on it).
  QUndoStack* History() const { return history_; }
  /// File > Export: writes the first sheet's image, then the glyph descriptor; no rebuild.
  void ExportSheet();
  /// File > Export as BMFont: writes a PNG per page and a BMFont descriptor in
  /// the form of the chosen filter (remembered for next time); no rebuild.
  void ExportBmFont();
  /// File > Open Font File and a dropped font: uses the typeface of face
  /// `index` of a font file that need not be installed, listed first in the
  /// Face box and selected (an undoable change). Failures are reported.
  void OpenFontFile(const std::filesystem::path& path, int32_t index = 0);
  /// Opens the project at path as File > Open does, asking first to save
  /// changes (recent files and a dropped project come here).
  void OpenProjectAsked(const std::filesystem::path& path);
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

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The tests look at the document and the sheet bitmap directly.
  friend struct GlyphSheetDialogInside;

  void ConnectControls();
  int FaceIndex(const std::string& face) const;
  void PullFontSettings();
  /// Enables the spread while the distance field is ticked, and the quality
  /// and smoothing choices while it is not.
  void ShowFieldChoice();
  void ApplyLoadedFontSettings();
  void RecreateSheetFont();
  void RebuildSheet();
  void FitSheetSize();
  void DrawShownPage();
  void ShowPageChoice();
  void RefillGlyphCombo();
  void ShowSheetSizeChoices();
  void UpdateStatus();
  void AddMenus();
  /// The typefaces the window offers: the installed ones, and a font file's.
  const TextRasterizer& Faces() const;
  /// Makes the font file's typeface one of the offered ones (none: only the
  /// installed ones) and lists them again; the face shown stays when it is
  /// still offered.
  Status SetFontFile(const std::string& path, int32_t index);
  void ListFaces();
  /// Says on the status line which files an export wrote, and how many
  /// characters it left off.
  void TellExported(const ExportedFiles& files, size_t left);
  /// The document as a project: what Save writes and undo restores (the face
  /// a loaded project asked for stays its name while a substitute draws it).
  ProjectData CurrentProject() const;
  /// Puts the change just made, if it changed the document, on the undo stack.
  void Record(int kind, const QString& text);
  /// Makes the document (and the controls) this state again, and rebuilds.
  void ApplyState(const ProjectData& state);
  /// A new start of the history: nothing to undo, nothing unsaved.
  void StartHistory();
  /// True when the document may be replaced: it has no unsaved changes, or
  /// the user saved or discarded them.
  bool MaySetWorkAside();
  bool WriteProject(const std::filesystem::path& path);
  void ShowTitle();
  void RememberRecent(const QString& path);
  void FillRecentMenu();
  enum class FileUse { kOpen, kSave };
  /// Asks for a file in a dialog that opens in the folder last used for
  /// `kind` ("project", "export"), and remembers the folder of the answer.
  std::optional<QString> ChooseFile(FileUse use, FileDialogOptions options, const char* kind,
                                    int* chosenFilter = nullptr);
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

  QUndoStack* history_ = nullptr;
  /// The document as last recorded: the state the next change starts from.
  ProjectData recorded_;
  /// While an undo or redo applies a state, nothing is recorded.
  bool applyingState_ = false;
  /// The project's file, once opened or saved.
  std::optional<std::filesystem::path> projectPath_;
  /// What the last save or export wrote, shown first on the status line
  /// until the document changes.
  QString notice_;
  QMenu* recentMenu_ = nullptr;
  /// The installed typefaces and a font file's, while one is used.
  std::unique_ptr<FontFileRasterizer> withFile_;
};

}  // namespace glyphsheet

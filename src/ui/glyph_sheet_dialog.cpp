#include "ui/glyph_sheet_dialog.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <optional>
#include <span>
#include <vector>

#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QSignalBlocker>
#include <QUndoStack>

#include "files/project_file.h"
#include "files/sheet_export.h"
#include "sheet/error_text.h"
#include "sheet/glyph_layout.h"
#include "sheet/rebuild.h"
#include "sheet/settings.h"
#include "sheet/sheet_font.h"
#include "sheet/unicode_text.h"
#include "sheet/windows1252.h"
#include "ui/add_chars_dialog.h"
#include "ui/character_sets_dialog.h"
#include "ui/document_change.h"
#include "ui/failure_text.h"
#include "ui/glyph_list_model.h"
#include "ui/preview_pane.h"
#include "ui/text_preview_dialog.h"
#include "ui/writer_wait.h"
#include "ui_glyph_sheet_dialog.h"

namespace glyphsheet {
namespace {

// Made when asked for, so the filters are in the window's language.
FileDialogOptions ProjectDialogOptions() {
  return {QString(),
          {GlyphSheetDialog::tr("字體 (*.fnt)"), GlyphSheetDialog::tr("所有 (*.*)")},
          QStringLiteral("fnt")};
}

FileDialogOptions ExportDialogOptions() {
  return {QString(), {GlyphSheetDialog::tr("Targa 圖像 (*.tga)")}, QStringLiteral("tga")};
}

// The BMFont forms in the order of their filters.
constexpr SheetFormat kBmFontFilterFormats[] = {SheetFormat::kBmFontText, SheetFormat::kBmFontXml,
                                                SheetFormat::kBmFontBinary,
                                                SheetFormat::kBmFontJson};
/// Pages the window lays the cells out on: more than any list takes.
constexpr int32_t kWindowMaxPages = 1 << 16;
/// The largest sheet side offered, which the smallest-sheet choice takes when
/// no sheet holds every cell.
constexpr int32_t kLargestSheetSide = kSheetSizeChoices[std::size(kSheetSizeChoices) - 1];
/// Pages whose glyphs the status line counts one by one.
constexpr int32_t kCountedPages = 16;

// Where the last BMFont filter chosen is remembered.
const char kBmFontFilterKey[] = "export/bmfontFilter";
// The projects opened or saved last, the newest first.
const char kRecentKey[] = "recent/projects";
constexpr int kRecentCount = 8;
// Where the window's size and place are kept between runs.
const char kGeometryKey[] = "window/geometry";

// What each change is, for the undo stack: changes of one kind in a row
// undo together (a spin box's steps, say). A glyph's borders are their own
// kind per glyph; added characters never join.
enum ChangeKind : int {
  kAddedCharacters = -1,
  kSheetSizeChange = 1,
  kFitChange,
  kItalicChange,
  kFaceChange,
  kFieldChange,
  kFirstControlChange = 16,  // + the control's place in the list of font controls
  kFirstGlyphChange = 1024,  // + the glyph's index
};

FileDialogOptions BmFontDialogOptions(int selected) {
  return {QString(),
          {GlyphSheetDialog::tr("BMFont 文字 (*.fnt)"), GlyphSheetDialog::tr("BMFont XML (*.xml)"),
           GlyphSheetDialog::tr("BMFont 二進位 (*.fnt)"), GlyphSheetDialog::tr("BMFont JSON (*.json)")},
          QString(),
          selected};
}

std::filesystem::path ToPath(const QString& name) {
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

/// Selects the first entry whose item data is `value`; no match keeps the selection.
void SelectByData(QComboBox* combo, int value) {
  const int index = combo->findData(value);
  if (index >= 0) combo->setCurrentIndex(index);
}

/// The item data of the current entry, or `fallback` when nothing is selected.
int CurrentData(const QComboBox* combo, int fallback) {
  const QVariant data = combo->currentData();
  return data.isValid() ? data.toInt() : fallback;
}

/// Gives the entries of a combo filled by the form the values they stand
/// for, in order; the form and the core's table must list as many.
void SetChoiceData(QComboBox* combo, std::span<const int32_t> values) {
  Q_ASSERT_X(combo->count() == static_cast<int>(values.size()), "SetChoiceData",
             qPrintable(combo->objectName()));
  const int count = std::min(combo->count(), static_cast<int>(values.size()));
  for (int i = 0; i < count; ++i) combo->setItemData(i, values[static_cast<size_t>(i)]);
}

/// Every value of a range, in order.
std::vector<int32_t> RangeValues(SettingRange range) {
  std::vector<int32_t> values;
  for (int32_t v = range.min; v <= range.max; ++v) values.push_back(v);
  return values;
}

/// Index of a sheet side among the offered sizes, or -1.
int SizeChoiceOf(int32_t side) {
  for (int i = 0; i < static_cast<int>(std::size(kSheetSizeChoices)); ++i) {
    if (kSheetSizeChoices[i] == side) return i;
  }
  return -1;
}

/// Checks button `id` of an exclusive group, or none when id is -1.
void CheckChoice(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) {
    button->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

}  // namespace

GlyphSheetDialog::GlyphSheetDialog(const TextRasterizer& rasterizer, FileChooser& fileChooser,
                                   MessageSink& messages, QWidget* parent)
    : QMainWindow(parent),
      rasterizer_(rasterizer),
      fileChooser_(fileChooser),
      messages_(messages),
      ui_(std::make_unique<Ui::GlyphSheetDialog>()) {
  // The form sets the texts, ranges, first values, the layout and the
  // opening size.
  ui_->setupUi(this);
  history_ = new QUndoStack(this);
  AddMenus();
  setAcceptDrops(true);

  widthGroup_ = new QButtonGroup(this);
  heightGroup_ = new QButtonGroup(this);
  QRadioButton* widths[] = {ui_->width64,  ui_->width128,  ui_->width256, ui_->width512,
                            ui_->width1024, ui_->width2048, ui_->width4096};
  QRadioButton* heights[] = {ui_->height64,  ui_->height128,  ui_->height256, ui_->height512,
                             ui_->height1024, ui_->height2048, ui_->height4096};
  static_assert(std::size(widths) == std::size(kSheetSizeChoices) &&
                std::size(heights) == std::size(kSheetSizeChoices));
  for (int i = 0; i < static_cast<int>(std::size(kSheetSizeChoices)); ++i) {
    widthGroup_->addButton(widths[i], i);
    heightGroup_->addButton(heights[i], i);
  }

  // The glyph list is labelled row by row as the combo and its popup ask.
  glyphModel_ = new GlyphListModel(doc_.glyphs, this);
  ListGlyphsIn(ui_->glyphCombo, glyphModel_);

  // Change notifications are live from here on: while the controls are
  // filled they recreate the font, but nothing is rebuilt before the end.
  ConnectControls();
  ui_->previewPane->SetScrollBars(ui_->previewHScroll, ui_->previewVScroll);
  ShowSheetSizeChoices();

  ListFaces();
  // The desktop's default text face, as the command line starts with.
  ui_->faceCombo->setCurrentIndex(std::max(FaceIndex(Faces().DefaultTypeface()), 0));
  SetChoiceData(ui_->weightCombo, kWeightChoices);
  SetChoiceData(ui_->qualityCombo, kQualityChoices);
  SetChoiceData(ui_->smoothingCombo, RangeValues(kSmoothingRange));
  ShowFieldChoice();

  RecreateSheetFont();
  doc_.maxPages = kWindowMaxPages;
  ui_->previewPane->SetSheet(&sheetBitmap_, &doc_);
  ApplySheetSize();
  initialized_ = true;
  StartHistory();
  // Ctrl+Z in a spin box undoes the window's last change, not the box's typing.
  for (QAbstractSpinBox* spin : findChildren<QAbstractSpinBox*>()) spin->installEventFilter(this);
  connect(history_, &QUndoStack::cleanChanged, this, &GlyphSheetDialog::ShowTitle);
}

GlyphSheetDialog::~GlyphSheetDialog() {
  // The undo stack, a child destroyed after this class is gone, still tells
  // of its clean state as it goes; the title need not follow.
  history_->disconnect(this);
}

void GlyphSheetDialog::ConnectControls() {
  const QString sheetSize = tr("變更圖像大小");
  const QString setting = tr("變更字型設定");
  for (QButtonGroup* group : {widthGroup_, heightGroup_}) {
    connect(group, &QButtonGroup::idClicked, this, [this, sheetSize] {
      ApplySheetSize();
      Record(kSheetSizeChange, sheetSize);
    });
  }
  connect(ui_->italicCheck, &QCheckBox::toggled, this, [this, setting] {
    OnFontChanged();
    Record(kItalicChange, setting);
  });
  connect(ui_->distanceCheck, &QCheckBox::toggled, this, [this, setting] {
    ShowFieldChoice();
    OnFontChanged();
    Record(kFieldChange, setting);
  });
  connect(ui_->showRectsCheck, &QCheckBox::toggled, this, &GlyphSheetDialog::OnShowRectsChanged);
  connect(ui_->fitCheck, &QCheckBox::toggled, this, [this, sheetSize] {
    OnFitChanged();
    Record(kFitChange, sheetSize);
  });
  connect(ui_->pageSpin, &QSpinBox::valueChanged, this, &GlyphSheetDialog::OnPageChosen);
  connect(ui_->glyphCombo, &QComboBox::currentIndexChanged, this,
          &GlyphSheetDialog::OnGlyphSelected);
  for (QSpinBox* spin : {ui_->glyphLeftSpin, ui_->glyphRightSpin}) {
    connect(spin, &QSpinBox::valueChanged, this, [this] {
      OnGlyphBorderChanged();
      Record(kFirstGlyphChange + ui_->glyphCombo->currentIndex(), tr("變更字元邊界"));
    });
  }
  int place = kFirstControlChange;
  for (QSpinBox* spin : {ui_->sizeSpin, ui_->borderLeftSpin, ui_->borderRightSpin,
                         ui_->borderTopSpin, ui_->borderBottomSpin, ui_->distanceSpin}) {
    connect(spin, &QSpinBox::valueChanged, this, [this, setting, kind = place++] {
      OnFontChanged();
      Record(kind, setting);
    });
  }
  for (QComboBox* combo : {ui_->qualityCombo, ui_->weightCombo, ui_->smoothingCombo}) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this, setting, kind = place++] {
      OnFontChanged();
      Record(kind, setting);
    });
  }
  // A face the user picks replaces the one a loaded project asked for.
  connect(ui_->faceCombo, &QComboBox::currentIndexChanged, this, [this, setting] {
    missingFace_.clear();
    OnFontChanged();
    Record(kFaceChange, setting);
  });
  connect(ui_->zoomSlider, &QSlider::valueChanged, this, [this](int zoom) {
    ui_->zoomLabel->setText(QStringLiteral("%1%").arg(zoom));
    ui_->previewPane->SetZoom(zoom);
  });

  connect(ui_->actionNew, &QAction::triggered, this, &GlyphSheetDialog::OnNew);
  connect(ui_->actionOpen, &QAction::triggered, this, &GlyphSheetDialog::LoadProject);
  connect(ui_->actionSave, &QAction::triggered, this, &GlyphSheetDialog::SaveProject);
  ui_->actionNew->setShortcut(QKeySequence::New);
  ui_->actionOpen->setShortcut(QKeySequence::Open);
  ui_->actionSave->setShortcut(QKeySequence::Save);
  ui_->actionExport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  ui_->actionExit->setShortcut(QKeySequence::Quit);
  connect(ui_->actionExport, &QAction::triggered, this, &GlyphSheetDialog::ExportSheet);
  connect(ui_->actionExportBmFont, &QAction::triggered, this, &GlyphSheetDialog::ExportBmFont);
  connect(ui_->actionTextPreview, &QAction::triggered, this, &GlyphSheetDialog::ShowTextPreview);
  connect(ui_->actionExit, &QAction::triggered, this, &QWidget::close);
  connect(ui_->actionAddChars, &QAction::triggered, this, &GlyphSheetDialog::OnAddChars);
  connect(ui_->actionCharacterSets, &QAction::triggered, this,
          &GlyphSheetDialog::OnCharacterSets);
}

void GlyphSheetDialog::PullFontSettings() {
  doc_.borders.left = ui_->borderLeftSpin->value();
  doc_.borders.right = ui_->borderRightSpin->value();
  doc_.borders.top = ui_->borderTopSpin->value();
  doc_.borders.bottom = ui_->borderBottomSpin->value();
  FontSettings& font = doc_.font;
  font.faceName = ui_->faceCombo->currentText().toStdString();
  font.pointSize = kPointSizeRange.Clamp(ui_->sizeSpin->value());
  font.weight = CurrentData(ui_->weightCombo, font.weight);
  font.quality = CurrentData(ui_->qualityCombo, font.quality);
  font.smoothing = CurrentData(ui_->smoothingCombo, font.smoothing);
  font.italic = ui_->italicCheck->isChecked() ? 1 : 0;
  font.distanceField =
      ui_->distanceCheck->isChecked() ? kDistanceSpreadRange.Clamp(ui_->distanceSpin->value()) : 0;
}

void GlyphSheetDialog::ShowFieldChoice() {
  // A field is drawn from the outline at the sheet's size: the quality and
  // the smoothing factor do not apply while it is ticked; the spread does.
  const bool field = ui_->distanceCheck->isChecked();
  ui_->distanceSpin->setEnabled(field);
  QWidget* coverage[] = {ui_->qualityLabel, ui_->qualityCombo, ui_->smoothingLabel,
                         ui_->smoothingCombo};
  for (QWidget* control : coverage) control->setEnabled(!field);
}

void GlyphSheetDialog::RecreateSheetFont() {
  PullFontSettings();
  // The same request keeps the font and every glyph it has drawn.
  const Status made = sheetFont_.Update(Faces(), doc_.font);
  fontError_ = made ? std::nullopt : std::optional<Error>(made.failure());
}

void GlyphSheetDialog::ApplySheetSize() {
  const int widthChoice = widthGroup_->checkedId();
  const int heightChoice = heightGroup_->checkedId();
  const int choices = static_cast<int>(std::size(kSheetSizeChoices));
  if (widthChoice >= 0 && widthChoice < choices) doc_.sheetWidth = kSheetSizeChoices[widthChoice];
  if (heightChoice >= 0 && heightChoice < choices) doc_.sheetHeight = kSheetSizeChoices[heightChoice];
  RebuildSheet();
}

void GlyphSheetDialog::OnFitChanged() {
  const bool fit = ui_->fitCheck->isChecked();
  for (QButtonGroup* group : {widthGroup_, heightGroup_}) {
    for (QAbstractButton* button : group->buttons()) button->setEnabled(!fit);
  }
  // Unchecked, the radios rule again; they show the size fitted last.
  fit ? RebuildSheet() : ApplySheetSize();
}

void GlyphSheetDialog::OnPageChosen(int number) {
  shownPage_ = std::clamp(number - 1, 0, doc_.layout.pages - 1);
  DrawShownPage();
}

bool GlyphSheetDialog::SelectFace(const QString& name) {
  const std::optional<std::string> face = FindTypeface(name.toStdString(), typefaces_);
  if (!face) return false;
  ui_->faceCombo->setCurrentIndex(FaceIndex(*face));
  return true;
}

int GlyphSheetDialog::FaceIndex(const std::string& face) const {
  const auto found = std::find(typefaces_.begin(), typefaces_.end(), face);
  return found == typefaces_.end() ? -1 : static_cast<int>(found - typefaces_.begin());
}

void GlyphSheetDialog::OnFontChanged() {
  RecreateSheetFont();
  if (initialized_) RebuildSheet();
}

void GlyphSheetDialog::OnGlyphBorderChanged() {
  const int index = ui_->glyphCombo->currentIndex();
  if (index < 0 || index >= static_cast<int>(doc_.glyphs.size())) return;
  doc_.glyphs.SetBorders(static_cast<size_t>(index), ui_->glyphLeftSpin->value(),
                         ui_->glyphRightSpin->value());
  if (initialized_) RebuildSheet();
}

void GlyphSheetDialog::OnGlyphSelected(int index) {
  // The box is narrower than a marked entry; its tooltip holds all of it.
  ui_->glyphCombo->setToolTip(ui_->glyphCombo->currentText());
  // The glyph's own borders can be set only while a glyph is selected.
  const bool selected = index >= 0 && index < static_cast<int>(doc_.glyphs.size());
  ui_->glyphLeftSpin->setEnabled(selected);
  ui_->glyphRightSpin->setEnabled(selected);
  if (!selected) return;
  const Glyph glyph = doc_.glyphs[static_cast<size_t>(index)];
  // Showing a glyph's borders must not write them into any glyph.
  const QSignalBlocker blockLeft(ui_->glyphLeftSpin);
  const QSignalBlocker blockRight(ui_->glyphRightSpin);
  ui_->glyphLeftSpin->setValue(glyph.leftBorder);
  ui_->glyphRightSpin->setValue(glyph.rightBorder);
}

void GlyphSheetDialog::OnShowRectsChanged() {
  ui_->previewPane->SetShowRects(ui_->showRectsCheck->isChecked());
}

void GlyphSheetDialog::OnNew() {
  if (!MaySetWorkAside()) return;
  doc_.ClearGlyphs();
  missingFace_.clear();
  RebuildSheet();
  projectPath_.reset();
  notice_.clear();
  StartHistory();
}

void GlyphSheetDialog::OnAddChars() {
  if (const std::optional<QString> text = AskForCharacters(this)) AddCharacters(*text);
}

void GlyphSheetDialog::AddCharacters(const QString& text) {
  // One glyph per code point, in order; what cannot be a glyph is named.
  std::u32string characters = text.toStdU32String();
  const std::vector<char32_t> refused = RefusedCharacters(characters);
  std::erase_if(characters, [](char32_t ch) { return CharacterRefusal(ch).has_value(); });
  doc_.AddGlyphs(std::span<const char32_t>(characters.data(), characters.size()));
  RebuildSheet();
  Record(kAddedCharacters, tr("加入字元"));
  if (refused.empty()) return;
  QStringList names;
  for (char32_t ch : refused) names << FromUtf8(NumberedCharacter(ch));
  messages_.ShowError(this, tr("下列字元是控制字元或非字元，無法放在圖像上，未加入：%1")
                                .arg(names.join(tr("、"))));
}

void GlyphSheetDialog::OnCharacterSets() {
  const std::optional<std::vector<char32_t>> chosen = AskForCharacterSets(sheetFont_.Font(), this);
  if (!chosen) return;
  doc_.AddGlyphs(*chosen);
  RebuildSheet();
  Record(kAddedCharacters, tr("加入字元"));
}

void GlyphSheetDialog::SaveProject() {
  if (projectPath_) {
    WriteProject(*projectPath_);
  } else {
    SaveProjectAs();
  }
}

void GlyphSheetDialog::SaveProjectAs() {
  const std::optional<QString> name = ChooseFile(FileUse::kSave, ProjectDialogOptions(), "project");
  if (name) WriteProject(ToPath(*name));
}

bool GlyphSheetDialog::WriteProject(const std::filesystem::path& path) {
  const QString name = QFile::decodeName(path.c_str());
  WriterWait wait(this, name);
  const Status written = WriteProjectFile(path, CurrentProject(), wait.Waiting());
  if (!written) {
    ReportFailure(tr("無法儲存專案檔"), path, written.failure());
    return false;
  }
  projectPath_ = path;
  history_->setClean();
  RememberRecent(name);
  notice_ = tr("已儲存「%1」").arg(QFileInfo(name).fileName());
  UpdateStatus();
  ShowTitle();
  return true;
}

void GlyphSheetDialog::LoadProject() {
  if (!MaySetWorkAside()) return;
  const std::optional<QString> name = ChooseFile(FileUse::kOpen, ProjectDialogOptions(), "project");
  if (name) OpenProject(ToPath(*name));
}

void GlyphSheetDialog::OpenProjectAsked(const std::filesystem::path& path) {
  if (MaySetWorkAside()) OpenProject(path);
}

void GlyphSheetDialog::OpenProject(const std::filesystem::path& path) {
  const Result<ProjectData> project = ReadProjectFile(path);
  if (!project) {
    ReportFailure(tr("無法開啟專案檔"), path, project.failure());
    return;
  }
  // A project's own font file is offered before its face is looked for;
  // one that cannot be used is told, and the face is then a missing one.
  if (const std::string& file = project.value().fontFile; !file.empty()) {
    if (const Status used = SetFontFile(file, project.value().fontFileIndex); !used) {
      ReportFailure(tr("無法開啟字型檔"), file, used.failure());
    }
  }
  const ApplyOutcome outcome = ApplyProject(project.value(), doc_, typefaces_);
  // A face that is not installed is drawn with the closest one that is.
  if (outcome.face != LoadTake::kTaken) {
    const std::string closest = Faces().ClosestTypeface(project.value().font.faceName);
    if (FaceIndex(closest) >= 0) doc_.font.faceName = closest;
  }
  // Another project is seen from its first page's top-left corner.
  shownPage_ = 0;
  ui_->previewHScroll->setValue(0);
  ui_->previewVScroll->setValue(0);
  ApplyLoadedFontSettings();
  // Any earlier note about a missing face is replaced by this project's.
  if (outcome.face == LoadTake::kTaken) {
    missingFace_.clear();
  } else {
    missingFace_ = project.value().font.faceName;
  }
  OnFontChanged();
  projectPath_ = path;
  notice_.clear();
  StartHistory();
  RememberRecent(QFile::decodeName(path.c_str()));
  if (!missingFace_.empty()) {
    messages_.ShowNote(this, tr("這個專案的字型「%1」沒有安裝，改用最接近的「%2」。"
                                "儲存時專案仍記下「%1」，除非你另選字型。")
                                 .arg(FromUtf8(missingFace_), ui_->faceCombo->currentText()));
  }
}

void GlyphSheetDialog::ApplyLoadedFontSettings() {
  // The controls show the loaded values; their notifications stay quiet so
  // that the one rebuild at the end sees the whole project.
  QWidget* controls[] = {ui_->borderLeftSpin, ui_->borderRightSpin, ui_->borderTopSpin,
                         ui_->borderBottomSpin, ui_->sizeSpin, ui_->weightCombo,
                         ui_->qualityCombo, ui_->smoothingCombo, ui_->faceCombo,
                         ui_->italicCheck, ui_->distanceCheck, ui_->distanceSpin};
  std::vector<std::unique_ptr<QSignalBlocker>> blockers;
  for (QWidget* control : controls) blockers.push_back(std::make_unique<QSignalBlocker>(control));

  ui_->borderLeftSpin->setValue(doc_.borders.left);
  ui_->borderRightSpin->setValue(doc_.borders.right);
  ui_->borderTopSpin->setValue(doc_.borders.top);
  ui_->borderBottomSpin->setValue(doc_.borders.bottom);
  ui_->sizeSpin->setValue(doc_.font.pointSize);
  SelectByData(ui_->weightCombo, doc_.font.weight);
  SelectByData(ui_->qualityCombo, doc_.font.quality);
  SelectByData(ui_->smoothingCombo, doc_.font.smoothing);
  // A face that is not installed (an undone pick of a project's missing
  // face) is drawn with the closest one that is.
  const int face = FaceIndex(doc_.font.faceName);
  const int shown = face >= 0 ? face : FaceIndex(Faces().ClosestTypeface(doc_.font.faceName));
  if (shown >= 0) ui_->faceCombo->setCurrentIndex(shown);
  ui_->italicCheck->setChecked(doc_.font.italic != 0);
  // Without a field the spread shown last stays for the next tick.
  const int32_t spread = FieldSpread(doc_.font);
  ui_->distanceCheck->setChecked(spread > 0);
  if (spread > 0) ui_->distanceSpin->setValue(spread);
  ShowFieldChoice();
  ShowSheetSizeChoices();
}

void GlyphSheetDialog::ShowSheetSizeChoices() {
  // The radio buttons follow a loaded size; a size not offered checks none.
  CheckChoice(widthGroup_, SizeChoiceOf(doc_.sheetWidth));
  CheckChoice(heightGroup_, SizeChoiceOf(doc_.sheetHeight));
}

void GlyphSheetDialog::ExportSheet() {
  const std::optional<QString> name = ChooseFile(FileUse::kSave, ExportDialogOptions(), "export");
  if (!name) return;
  const std::filesystem::path chosen = ToPath(*name);
  WriterWait wait(this, *name);
  const auto exported = ExportSheetFiles(chosen, doc_, sheetFont_.Font(), {}, ExportObserver{{}, wait.Waiting(), {}});
  if (!exported) {
    ReportFailure(tr("無法輸出 TGA 與 XML"), chosen, exported.failure());
    return;
  }
  // The TGA is one sheet: what the window shows on further pages is left off.
  size_t left = doc_.layout.offSheet;
  if (doc_.layout.pages > 1) {
    SheetDocument oneSheet = doc_;
    oneSheet.maxPages = 1;
    LayOutSheet(oneSheet, sheetFont_.Font());
    left = oneSheet.layout.offSheet;
  }
  TellExported(exported.value(), left);
}

void GlyphSheetDialog::ExportBmFont() {
  QSettings settings;
  const int last = settings.value(kBmFontFilterKey, 0).toInt();
  int filter = std::clamp(last, 0, static_cast<int>(std::size(kBmFontFilterFormats)) - 1);
  const std::optional<QString> name =
      ChooseFile(FileUse::kSave, BmFontDialogOptions(filter), "export", &filter);
  if (!name) return;
  if (filter < 0 || filter >= static_cast<int>(std::size(kBmFontFilterFormats))) filter = 0;
  settings.setValue(kBmFontFilterKey, filter);
  const std::filesystem::path chosen = ToPath(*name);
  ExportOptions options;
  options.format = kBmFontFilterFormats[filter];
  WriterWait wait(this, *name);
  const auto exported = ExportSheetFiles(chosen, doc_, sheetFont_.Font(), options, ExportObserver{{}, wait.Waiting(), {}});
  if (!exported) {
    ReportFailure(tr("無法輸出 BMFont"), chosen, exported.failure());
    return;
  }
  TellExported(exported.value(), doc_.layout.offSheet);
}

void GlyphSheetDialog::TellExported(const ExportedFiles& files, size_t left) {
  QStringList names;
  for (const std::filesystem::path& image : files.images) {
    names << QFile::decodeName(image.filename().c_str());
  }
  names << QFile::decodeName(files.descriptor.filename().c_str());
  // Many pages are named by the first and the last.
  if (names.size() > 4) names = QStringList{names.front(), tr("…"), names.back()};
  notice_ = tr("已輸出 %1").arg(names.join(tr("、")));
  if (left > 0) {
    notice_ += tr("（%n 個字元不在圖像上，未輸出）", nullptr,
                  static_cast<int>(std::min<size_t>(left, INT_MAX)));
  }
  UpdateStatus();
}

void GlyphSheetDialog::ShowTextPreview() {
  if (textPreview_ == nullptr) textPreview_ = new TextPreviewDialog(doc_, this);
  textPreview_->Refresh(sheetFont_.Font());
  textPreview_->show();
  textPreview_->raise();
}

void GlyphSheetDialog::RebuildSheet() {
  if (ui_->fitCheck->isChecked()) FitSheetSize();
  LayOutSheet(doc_, sheetFont_.Font(), 1);  // one page is shown at a time
  // The page shown stays while the sheet has it; else its last page shows.
  shownPage_ = std::clamp(shownPage_, 0, doc_.layout.pages - 1);
  DrawShownPage();
  ShowPageChoice();
  if (textPreview_ != nullptr) textPreview_->Refresh(sheetFont_.Font());
  RefillGlyphCombo();
  UpdateStatus();
  // A sheet that shrank out of the scrolled view is brought back into it.
  if (ui_->previewHScroll->value() >= doc_.sheetWidth) ui_->previewHScroll->setValue(0);
  if (ui_->previewVScroll->value() >= doc_.sheetHeight) ui_->previewVScroll->setValue(0);
  ui_->previewPane->InvalidatePreview();
}

void GlyphSheetDialog::FitSheetSize() {
  const std::optional<SheetSize> fit =
      SmallestSheetThatFits(doc_, sheetFont_.Font(), kLargestSheetSide);
  doc_.sheetWidth = fit ? fit->width : kLargestSheetSide;
  doc_.sheetHeight = fit ? fit->height : kLargestSheetSide;
  ShowSheetSizeChoices();
}

void GlyphSheetDialog::DrawShownPage() {
  // The bitmap is made anew only when the sheet changes size.
  const int32_t width = WindowBitmapSide(doc_.sheetWidth);
  const int32_t height = WindowBitmapSide(doc_.sheetHeight);
  if (sheetBitmap_.Width() != width || sheetBitmap_.Height() != height) {
    sheetBitmap_.Create(width, height);
  }
  DrawPage(doc_, sheetFont_.Font(), shownPage_, sheetBitmap_);
  ui_->previewPane->SetPage(shownPage_);
  ui_->previewPane->InvalidatePreview();
}

void GlyphSheetDialog::ShowPageChoice() {
  // "page 2 of 3": a choice only when there is one to make.
  QSpinBox* spin = ui_->pageSpin;
  const QSignalBlocker block(spin);
  spin->setRange(1, doc_.layout.pages);
  spin->setValue(shownPage_ + 1);
  spin->setPrefix(tr("第 ", "before the page number"));
  spin->setSuffix(tr(" 頁，共 %1 頁", "after the page number").arg(doc_.layout.pages));
  spin->setEnabled(doc_.layout.pages > 1);
}

void GlyphSheetDialog::RefillGlyphCombo() {
  QComboBox* combo = ui_->glyphCombo;
  const QSignalBlocker block(combo);
  const int selected = combo->currentIndex();
  glyphModel_->Refresh(sheetFont_.Font());
  // The same index stays selected, also when another glyph now holds it.
  combo->setCurrentIndex(selected < combo->count() ? selected : -1);
  OnGlyphSelected(combo->currentIndex());
}

void GlyphSheetDialog::UpdateStatus() {
  const size_t offSheet = doc_.layout.offSheet;
  QString text = notice_.isEmpty() ? QString() : notice_ + tr("。");
  text += tr("%1 × %2，%3 個字元")
                     .arg(doc_.sheetWidth)
                     .arg(doc_.sheetHeight)
                     .arg(doc_.glyphs.size());
  if (const int32_t pages = doc_.layout.pages; pages > 1) {
    // The glyphs of each page, the first pages' only when there are many.
    std::vector<size_t> perPage(static_cast<size_t>(std::min(pages, kCountedPages)));
    for (const ShownCell& shown : doc_.layout.shown) {
      if (shown.cell.page < kCountedPages) ++perPage[static_cast<size_t>(shown.cell.page)];
    }
    QStringList counts;
    for (const size_t count : perPage) counts << QString::number(count);
    if (pages > kCountedPages) counts << QStringLiteral("…");
    text += tr("，%1 頁：%2").arg(pages).arg(counts.join(tr("、")));
  }
  if (offSheet > 0) text += tr("，其中 %1 個超出圖像範圍").arg(offSheet);
  if (const size_t missing = glyphModel_->MissingCount(); missing > 0) {
    const int count = static_cast<int>(std::min<size_t>(missing, INT_MAX));
    text += tr("，字型中沒有 %n 個字元", nullptr, count);
  }
  if (!missingFace_.empty()) {
    text += tr("。專案的%1，改用「%2」")
                .arg(FailureText::Reason(FaceNotInstalled(missingFace_)),
                     ui_->faceCombo->currentText());
  }
  if (fontError_) text += tr("。無法建立字型：%1").arg(FailureText::Text(*fontError_));
  // A line too long for the label is cut with "…"; its tooltip holds all of it.
  ui_->statusLabel->SetFullText(text);
}


void GlyphSheetDialog::ReportFailure(const QString& what, const std::filesystem::path& chosen,
                                     const Error& error) {
  // The user stopped waiting: nothing to tell.
  if (error.detail.problem == Problem::kWaitCancelled) return;
  messages_.ShowError(this, FailureText::Message(what, QFile::decodeName(chosen.c_str()), error));
}

void GlyphSheetDialog::AddMenus() {
  QAction* saveAs = new QAction(tr("另存新檔(&A)…"), this);
  saveAs->setObjectName(QStringLiteral("actionSaveAs"));
  saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  connect(saveAs, &QAction::triggered, this, &GlyphSheetDialog::SaveProjectAs);
  ui_->fileMenu->insertAction(ui_->actionExport, saveAs);
  ui_->fileMenu->insertSeparator(ui_->actionExport);

  QAction* fontFile = new QAction(tr("開啟字型檔(&F)…"), this);
  fontFile->setObjectName(QStringLiteral("actionOpenFontFile"));
  connect(fontFile, &QAction::triggered, this, [this] {
    const FileDialogOptions options{
        QString(), {tr("字型檔 (*.ttf *.otf *.ttc)"), tr("所有 (*.*)")}, QString()};
    if (const std::optional<QString> name = ChooseFile(FileUse::kOpen, options, "font")) {
      OpenFontFile(ToPath(*name));
    }
  });
  ui_->fileMenu->insertAction(ui_->actionSave, fontFile);

  recentMenu_ = new QMenu(tr("最近開啟的專案(&R)"), this);
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  ui_->fileMenu->insertMenu(ui_->actionSave, recentMenu_);
  ui_->fileMenu->insertSeparator(ui_->actionSave);
  FillRecentMenu();

  QMenu* edit = new QMenu(tr("編輯(&E)"), this);
  edit->setObjectName(QStringLiteral("editMenu"));
  QAction* undo = history_->createUndoAction(this, tr("復原(&U)"));
  undo->setObjectName(QStringLiteral("actionUndo"));
  undo->setShortcut(QKeySequence::Undo);
  QAction* redo = history_->createRedoAction(this, tr("重做(&R)"));
  redo->setObjectName(QStringLiteral("actionRedo"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                      QKeySequence(Qt::CTRL | Qt::Key_Y)});
  edit->addAction(undo);
  edit->addAction(redo);
  menuBar()->insertMenu(ui_->toolsMenu->menuAction(), edit);

  QMenu* help = new QMenu(tr("說明(&H)"), this);
  help->setObjectName(QStringLiteral("helpMenu"));
  QAction* about = help->addAction(tr("關於 GlyphSheet(&A)"), this, &GlyphSheetDialog::ShowAbout);
  about->setObjectName(QStringLiteral("actionAbout"));
  menuBar()->addMenu(help);
}

ProjectData GlyphSheetDialog::CurrentProject() const {
  ProjectData project = ProjectFromDocument(doc_);
  if (!missingFace_.empty()) project.font.faceName = missingFace_;
  if (withFile_ && doc_.font.faceName == withFile_->FileFace() && missingFace_.empty()) {
    project.fontFile = withFile_->Path();
    project.fontFileIndex = withFile_->Index();
  }
  return project;
}

void GlyphSheetDialog::Record(int kind, const QString& text) {
  if (applyingState_ || !initialized_) return;
  ProjectData now = CurrentProject();
  if (SameDocumentState(now, recorded_)) return;
  history_->push(new DocumentChange(text, kind, recorded_, now,
                                    [this](const ProjectData& state) { ApplyState(state); }));
  recorded_ = std::move(now);
  if (!notice_.isEmpty()) {
    notice_.clear();
    UpdateStatus();
  }
}

void GlyphSheetDialog::ApplyState(const ProjectData& state) {
  applyingState_ = true;
  // An undone or redone choice of a font file offers its typeface again.
  if (!state.fontFile.empty() &&
      (!withFile_ || withFile_->Path() != state.fontFile || withFile_->Index() != state.fontFileIndex)) {
    (void)SetFontFile(state.fontFile, state.fontFileIndex);
  }
  doc_.sheetWidth = state.sheetWidth;
  doc_.sheetHeight = state.sheetHeight;
  doc_.borders = state.borders;
  doc_.font = state.font;
  doc_.glyphs = state.glyphs;
  missingFace_ = FaceIndex(state.font.faceName) >= 0 ? std::string() : state.font.faceName;
  ApplyLoadedFontSettings();
  RecreateSheetFont();
  RebuildSheet();
  recorded_ = CurrentProject();
  notice_.clear();
  UpdateStatus();
  applyingState_ = false;
}

void GlyphSheetDialog::StartHistory() {
  history_->clear();
  recorded_ = CurrentProject();
  ShowTitle();
}

const TextRasterizer& GlyphSheetDialog::Faces() const {
  return withFile_ ? static_cast<const TextRasterizer&>(*withFile_) : rasterizer_;
}

Status GlyphSheetDialog::SetFontFile(const std::string& path, int32_t index) {
  auto file = rasterizer_.ForFontFile(path, index);
  if (!file) return file.failure();
  withFile_ = std::make_unique<FontFileRasterizer>(rasterizer_, std::move(file).value(), path, index);
  // A font of the same name may now come from the file: nothing is kept.
  sheetFont_ = SheetFontCache();
  ListFaces();
  return Ok();
}

void GlyphSheetDialog::ListFaces() {
  const QSignalBlocker quiet(ui_->faceCombo);
  const QString shown = ui_->faceCombo->currentText();
  typefaces_ = Faces().ListTypefaces();
  ui_->faceCombo->clear();
  for (const std::string& face : typefaces_) ui_->faceCombo->addItem(FromUtf8(face));
  if (withFile_) {
    ui_->faceCombo->setItemData(0, QFile::decodeName(withFile_->Path().c_str()), Qt::ToolTipRole);
  }
  const int index = FaceIndex(shown.toStdString());
  ui_->faceCombo->setCurrentIndex(std::max(index, 0));
}

void GlyphSheetDialog::OpenFontFile(const std::filesystem::path& path, int32_t index) {
  const std::string file = std::filesystem::absolute(path).lexically_normal().string();
  if (const Status used = SetFontFile(file, index); !used) {
    ReportFailure(tr("無法開啟字型檔"), path, used.failure());
    return;
  }
  // Selected as a user's pick would be: the face a project lacked is dropped.
  ui_->faceCombo->setCurrentIndex(0);
  missingFace_.clear();
  OnFontChanged();
  Record(kFaceChange, tr("使用字型檔"));
}

bool GlyphSheetDialog::MaySetWorkAside() {
  if (history_->isClean()) return true;
  const QString name = projectPath_ ? QFileInfo(QFile::decodeName(projectPath_->c_str())).fileName()
                                    : tr("未命名");
  switch (messages_.AskToSave(this, tr("「%1」有未儲存的變更，要先儲存嗎？").arg(name))) {
    case SaveChoice::kSave:
      SaveProject();
      return history_->isClean();
    case SaveChoice::kDiscard: return true;
    case SaveChoice::kCancel: break;
  }
  return false;
}

void GlyphSheetDialog::ShowTitle() {
  const QString name = projectPath_ ? QFileInfo(QFile::decodeName(projectPath_->c_str())).fileName()
                                    : tr("未命名");
  setWindowTitle(tr("%1[*] — GlyphSheet").arg(name));
  setWindowModified(!history_->isClean());
}

void GlyphSheetDialog::RememberRecent(const QString& path) {
  QSettings settings;
  QStringList recent = settings.value(kRecentKey).toStringList();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  recent.removeAll(absolute);
  recent.prepend(absolute);
  while (recent.size() > kRecentCount) recent.removeLast();
  settings.setValue(kRecentKey, recent);
  FillRecentMenu();
}

void GlyphSheetDialog::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList recent = QSettings().value(kRecentKey).toStringList();
  for (int i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* open = recentMenu_->addAction(
        QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()),
        this, [this, path] { OpenProjectAsked(ToPath(path)); });
    open->setToolTip(path);
  }
  recentMenu_->setEnabled(!recent.isEmpty());
}

std::optional<QString> GlyphSheetDialog::ChooseFile(FileUse use, FileDialogOptions options,
                                                    const char* kind, int* chosenFilter) {
  const QString key = QStringLiteral("folders/") + QLatin1String(kind);
  QSettings settings;
  options.directory = settings.value(key).toString();
  const std::optional<QString> name = use == FileUse::kSave
                                          ? fileChooser_.GetSaveFileName(this, options, chosenFilter)
                                          : fileChooser_.GetOpenFileName(this, options);
  if (name) settings.setValue(key, QFileInfo(*name).absolutePath());
  return name;
}

void GlyphSheetDialog::ShowAbout() {
  QMessageBox::about(
      this, tr("關於 GlyphSheet"),
      tr("<p><b>GlyphSheet %1</b></p>"
         "<p>把已安裝的字型做成點陣字型圖像（TGA 與 XML，或 PNG 與 BMFont 描述檔）。</p>"
         "<p>GlyphSheet 以 MIT 授權發布。</p>"
         "<p>使用的程式庫：Qt %2（LGPL 3）、FreeType（FreeType 授權）、fontconfig（MIT 式授權）、"
         "HarfBuzz（MIT 授權）、libspng（BSD 2 條款授權）。</p>")
          .arg(QCoreApplication::applicationVersion(), QString::fromLatin1(qVersion())));
}

void GlyphSheetDialog::RestoreWindowGeometry() {
  restoreGeometry(QSettings().value(kGeometryKey).toByteArray());
}

void GlyphSheetDialog::closeEvent(QCloseEvent* event) {
  if (!MaySetWorkAside()) {
    event->ignore();
    return;
  }
  QSettings().setValue(kGeometryKey, saveGeometry());
  event->accept();
}

namespace {

// The one local file a drag carries when it is a project (.fnt) or a font
// file (.ttf, .otf, .ttc).
std::optional<QString> DraggedFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
    return std::nullopt;
  }
  const QString path = data->urls().front().toLocalFile();
  for (const char* extension : {".fnt", ".ttf", ".otf", ".ttc"}) {
    if (path.endsWith(QLatin1String(extension), Qt::CaseInsensitive)) return path;
  }
  return std::nullopt;
}

}  // namespace

void GlyphSheetDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (DraggedFile(event->mimeData())) event->acceptProposedAction();
}

void GlyphSheetDialog::dropEvent(QDropEvent* event) {
  const std::optional<QString> path = DraggedFile(event->mimeData());
  if (!path) return;
  event->acceptProposedAction();
  if (path->endsWith(QStringLiteral(".fnt"), Qt::CaseInsensitive)) {
    OpenProjectAsked(ToPath(*path));
  } else {
    OpenFontFile(ToPath(*path));
  }
}

bool GlyphSheetDialog::eventFilter(QObject* watched, QEvent* event) {
  // A spin box would take Ctrl+Z for its own text; left unclaimed, the key
  // reaches the window's Undo (and Redo).
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : {findChild<QAction*>(QStringLiteral("actionUndo")),
                                  findChild<QAction*>(QStringLiteral("actionRedo"))}) {
      if (action != nullptr && action->shortcuts().contains(pressed)) {
        event->ignore();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace glyphsheet

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTranslator>
#include <QWheelEvent>

#include <algorithm>

#include "ui/explained_combo_box.h"
#include "ui/window_language.h"
#include "ui_test_support.h"

namespace glyphsheet::testing {
namespace {

/// A window's title bar and frame at most, in logical pixels.
constexpr int kDecorations = 32;

using WindowLayoutTest = GlyphSheetDialogTest;

/// Every control of the window a user works or reads: the named widgets
/// that are not just containers of others.
QList<QWidget*> Controls(GlyphSheetDialog& dialog) {
  QList<QWidget*> controls;
  for (QWidget* widget : dialog.findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !widget->isVisible()) continue;
    if (widget->inherits("QAbstractButton") || widget->inherits("QAbstractSpinBox") ||
        widget->inherits("QComboBox") || widget->inherits("QAbstractSlider") ||
        widget->inherits("QLabel") || name == QLatin1String("previewPane")) {
      controls << widget;
    }
  }
  return controls;
}

/// The widget's rectangle in the window's coordinates.
QRect InWindow(const QWidget* widget, const QWidget* window) {
  return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// It opens at the size it always had; at 2× on a 1280 × 800 screen (640 × 400
// logical pixels less the title bar) every control lies inside the window or
// in the controls' column, which scrolls to it. Enlarged, only the preview
// (and the status line) grows.
TEST_F(WindowLayoutTest, FitsASmallScreenAndGrowsOnlyThePreview) {
  EXPECT_EQ(dialog->size(), QSize(739, 582));
  const QSize small(640, 400 - kDecorations);
  dialog->resize(small);
  QApplication::processEvents();
  ASSERT_EQ(dialog->size(), small) << "the window's least size is larger";

  auto* column = Find<QScrollArea>("controlsScroll");
  const QRect window = dialog->rect();
  for (QWidget* control : Controls(*dialog)) {
    const std::string name = control->objectName().toStdString();
    if (column->widget()->isAncestorOf(control)) {
      column->ensureWidgetVisible(control, 0, 0);
      const QRect viewport = InWindow(column->viewport(), dialog.get());
      EXPECT_TRUE(window.contains(viewport)) << name;
      EXPECT_TRUE(viewport.contains(InWindow(control, dialog.get()))) << name;
    } else {
      EXPECT_TRUE(window.contains(InWindow(control, dialog.get()))) << name;
    }
  }

  const auto sizes = [this] {
    std::map<std::string, QSize> controls;
    for (QWidget* control : Controls(*dialog)) {
      controls[control->objectName().toStdString()] = control->size();
    }
    return controls;
  };
  dialog->resize(739, 582);
  QApplication::processEvents();
  std::map<std::string, QSize> before = sizes();
  const QSize larger(400, 300);
  dialog->resize(dialog->size() + larger);
  QApplication::processEvents();
  std::map<std::string, QSize> after = sizes();
  EXPECT_EQ(after["previewPane"], before["previewPane"] + larger);
  for (const char* grows : {"previewPane", "previewHScroll", "previewVScroll", "statusLabel"}) {
    before.erase(grows);
    after.erase(grows);
  }
  for (const auto& [name, size] : before) {
    EXPECT_EQ(after[name], size) << name << " was " << size.width() << " x " << size.height()
                                 << ", is " << after[name].width() << " x " << after[name].height();
  }
}

// The wheel scrolls the preview up and down (across with Shift), Ctrl+wheel
// steps through the zoom choices; the preview takes the focus by a click and
// by Tab, and then the keys scroll it.
TEST_F(WindowLayoutTest, WheelAndKeysScrollAndZoomThePreview) {
  Set("width2048");
  Set("height2048");
  auto* pane = Find<PreviewPane>("previewPane");
  auto* h = Find<QScrollBar>("previewHScroll");
  auto* v = Find<QScrollBar>("previewVScroll");
  const auto wheel = [pane](int notches, Qt::KeyboardModifiers modifiers) {
    const QPointF at(pane->width() / 2.0, pane->height() / 2.0);
    QWheelEvent event(at, pane->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane, &event);
  };
  // One notch down moves the sheet up by the wheel's lines at 100 %; at
  // 200 % by half as many sheet pixels.
  const int lines = QApplication::wheelScrollLines() * kPreviewLinePixels;
  const struct {
    int notches;
    Qt::KeyboardModifiers modifiers;
    int zoom, h, v;
  } turns[] = {
      {-1, Qt::NoModifier, 100, 0, lines},
      {-2, Qt::ShiftModifier, 100, 2 * lines, lines},
      {1, Qt::ControlModifier, 150, 2 * lines, lines},
      {2, Qt::ControlModifier, 250, 2 * lines, lines},
      {-3, Qt::ControlModifier, 100, 2 * lines, lines},
      {-1, Qt::ControlModifier, 100, 2 * lines, lines},  // the least zoom
      {1, Qt::NoModifier, 100, 2 * lines, 0},
  };
  for (const auto& turn : turns) {
    wheel(turn.notches, turn.modifiers);
    EXPECT_EQ(std::tuple(Shown("zoomSlider"), Find<QLabel>("zoomLabel")->text(), h->value(), v->value()),
              std::tuple(turn.zoom, QStringLiteral("%1%").arg(turn.zoom), turn.h, turn.v))
        << turn.notches << " notches";
  }

  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  QTest::mouseClick(pane, Qt::LeftButton);
  EXPECT_TRUE(pane->hasFocus()) << "a click";
  Find("zoomSlider")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_TRUE(pane->hasFocus()) << "Tab from the zoom (the page box is off with one page)";
  // Page Down moves by the preview's height, End to the bottom, Ctrl+Home to the top-left.
  for (const auto& [key, modifiers, wantH, wantV] :
       {std::tuple(Qt::Key_PageDown, Qt::NoModifier, 2 * lines, pane->height()),
        {Qt::Key_Down, Qt::NoModifier, 2 * lines, pane->height() + kPreviewLinePixels},
        {Qt::Key_End, Qt::NoModifier, 2 * lines, v->maximum()},
        {Qt::Key_Home, Qt::ControlModifier, 0, 0}}) {
    QTest::keyClick(pane, key, modifiers);
    EXPECT_EQ(std::pair(h->value(), v->value()), std::pair(wantH, wantV)) << key;
  }
}

/// Whether a text has a Han character (Chinese left untranslated).
bool HasHan(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'\u3400' && c <= u'\u9FFF'; });
}

/// The mnemonic letter of a menu text ("E&xit": x), or nothing.
QChar Mnemonic(const QString& text) {
  for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size(); i = text.indexOf(u'&', i + 2)) {
    if (text[i + 1] != u'&') return text[i + 1].toLower();
  }
  return {};
}

// In both languages every control says what it does (English in English), and
// every menu and menu item has a mnemonic of its own within its menu. Tab
// starts at the top-left control, goes down the controls' column, then to the
// view: the zoom, the page and the preview.
TEST_F(WindowLayoutTest, ControlsExplainThemselvesMenusHaveMnemonicsTabGoesDown) {
  for (const WindowLanguage language : {WindowLanguage::kChinese, WindowLanguage::kEnglish}) {
    QTranslator* english = language == WindowLanguage::kEnglish ? UseWindowLanguage(language) : nullptr;
    dialog = MakeDialog();
    const bool inEnglish = english != nullptr;
    for (QWidget* control : Controls(*dialog)) {
      if (qobject_cast<QLabel*>(control)) continue;
      const auto* combo = qobject_cast<ExplainedComboBox*>(control);
      const QString tip = combo ? combo->Purpose() : control->toolTip();
      EXPECT_TRUE(!tip.isEmpty() && HasHan(tip) != inEnglish)
          << control->objectName().toStdString() << ": " << tip.toStdString();
    }
    std::vector<QList<QAction*>> menus{dialog->menuBar()->actions()};
    for (QAction* menu : dialog->menuBar()->actions()) {
      if (menu->menu()) menus.push_back(menu->menu()->actions());
    }
    for (const QList<QAction*>& items : menus) {
      QString letters;
      for (const QAction* item : items) {
        if (item->isSeparator()) continue;
        const QChar letter = Mnemonic(item->text());
        EXPECT_TRUE(!letter.isNull() && !letters.contains(letter) && HasHan(item->text()) != inEnglish)
            << item->text().toStdString();
        letters += letter;
      }
    }
    if (english) {
      QCoreApplication::removeTranslator(english);
      delete english;
    }
  }

  // The chain of controls Tab visits, from the window on.
  QList<QWidget*> chain;
  for (QWidget* w = dialog->nextInFocusChain(); w != dialog.get(); w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && !w->objectName().startsWith("qt_")) {
      chain << w;
    }
  }
  ASSERT_FALSE(chain.isEmpty());
  EXPECT_EQ(chain.first()->objectName(), QStringLiteral("faceCombo"));
  const QWidget* panel = Find<QScrollArea>("controlsScroll")->widget();
  // A control's place down the column: the top of its group, or its own.
  const auto down = [&](const QWidget* w) {
    const QWidget* box = w->parentWidget() != panel ? w->parentWidget() : w;
    return box->mapTo(panel, QPoint(0, 0)).y();
  };
  int column = 0;
  while (column < chain.size() && panel->isAncestorOf(chain[column])) {
    if (column > 0) {
      EXPECT_GE(down(chain[column]), down(chain[column - 1])) << chain[column]->objectName().toStdString();
    }
    ++column;
  }
  QStringList rest;
  for (qsizetype i = column; i < chain.size(); ++i) rest << chain[i]->objectName();
  const auto inColumn = std::count_if(chain.begin(), chain.end(),
                                      [panel](const QWidget* w) { return panel->isAncestorOf(w); });
  EXPECT_EQ(column, inColumn) << "every column control before the view's";
  EXPECT_EQ(rest.mid(0, 3), QStringList({"zoomSlider", "pageSpin", "previewPane"}));
}

}  // namespace
}  // namespace glyphsheet::testing

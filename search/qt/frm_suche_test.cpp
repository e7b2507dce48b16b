#include "search/qt/frm_suche.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <string>
#include <vector>

#include "platform/qt/qt_test_environment.h"
#include "search/recording_events_test_util.h"

namespace search_qt {
namespace {

// Lets the dialog's display interval pass, so that the status panel and the
// progress bar show the last values set.
void settleDisplay() {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() <= 2 * FrmSuche::kDisplayIntervalMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

using Log = search::testing::EventLog;
using search::testing::RecordingEvents;

class FrmSucheTest : public ::testing::Test {
 protected:
  FrmSucheTest()
      : dialog(
            [this](search::SearchDialogView&) { return std::make_unique<RecordingEvents>(log); }) {}

  template <typename Widget = QWidget>
  Widget* find(const char* name) {
    auto* w = dialog.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  void showActive() {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  QComboBox* combo() { return find<QComboBox>("cbxSuchbegriffe"); }
  QWidget* focused() { return QApplication::focusWidget(); }
  // Keys go where a user's keys go: to the focused control.
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(focused(), key, modifiers);
  }
  // Types text as a user would, one key press and release per character;
  // also characters beyond ASCII, which QTest::keyClicks does not take.
  void type(const QString& text) {
    for (QChar ch : text) {
      const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
      QTest::sendKeyEvent(QTest::Click, focused(), key, QString(ch), Qt::NoModifier);
    }
  }
  // Waits for a click that an access key triggers (buttons click a moment
  // after their access key, to show themselves pressed).
  bool logged(const std::string& entry) {
    return QTest::qWaitFor([&] { return std::find(log.begin(), log.end(), entry) != log.end(); },
                           2000);
  }

  Log log;
  FrmSuche dialog;
};

// A fixed dialog without minimise and maximise buttons, every control named
// for accessibility, the progress bar over the status bar (not under it).
TEST_F(FrmSucheTest, AFixedDialogWhoseControlsHaveNames) {
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  const Qt::WindowFlags flags = dialog.windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) {
      EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
  }
  const QObjectList& order = dialog.children();
  EXPECT_GT(order.indexOf(find("Progressbar")), order.indexOf(find("StatusBar")));
}

TEST_F(FrmSucheTest, OpensWithFocusInTheTermBoxAndTabsInOrder) {
  showActive();
  QStringList order;
  for (int i = 0; i < 5; ++i) {
    // The term box's edit field is part of the box.
    QWidget* w = focused();
    order << (w == combo()->lineEdit() ? combo()->objectName() : w->objectName());
    press(Qt::Key_Tab);
  }
  EXPECT_EQ(order, QStringList({"cbxSuchbegriffe", "cmdSuche", "cmdAbbruch", "cmdInfo",
                                "cbxSuchbegriffe"}));
}

TEST_F(FrmSucheTest, AccessKeysClickTheButtonsAndFocusTheTermBox) {
  showActive();
  press(Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(logged("Suche"));
  press(Qt::Key_A, Qt::AltModifier);
  EXPECT_TRUE(logged("Abbruch"));

  find("cmdInfo")->setFocus();
  press(Qt::Key_B, Qt::AltModifier);
  EXPECT_TRUE(combo()->hasFocus());
  EXPECT_TRUE(combo()->currentText().isEmpty());  // Alt+B typed nothing
}

TEST_F(FrmSucheTest, EscapeFromAnyControlReachesTheKeyPreviewOnce) {
  showActive();
  for (const char* name : {"cbxSuchbegriffe", "cmdSuche", "cmdAbbruch", "cmdInfo"}) {
    find(name)->setFocus();
    log.clear();
    press(Qt::Key_Escape);
    EXPECT_EQ(std::count(log.begin(), log.end(), "KeyDown 27"), 1) << name;
  }
}

// The logic searches on KeyPress 13 in the term box; Windows types a line
// feed for Ctrl+Enter and nothing for Alt+Enter.
TEST_F(FrmSucheTest, EnterSearchesFromTheTermBoxAndPressesAFocusedButton) {
  showActive();
  type(QStringLiteral("Bau"));
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* keyPress;  // null: none
  } rows[] = {{Qt::Key_Return, Qt::NoModifier, "KeyPress 13"},
              {Qt::Key_Enter, Qt::KeypadModifier, "KeyPress 13"},
              {Qt::Key_Return, Qt::ShiftModifier, "KeyPress 13"},
              {Qt::Key_Return, Qt::ControlModifier, "KeyPress 10"},
              {Qt::Key_Enter, Qt::KeypadModifier | Qt::AltModifier, nullptr}};
  for (const auto& row : rows) {
    log.clear();
    press(row.key, row.modifiers);
    ASSERT_GE(log.size(), 2u);  // releases of the modifier keys add KeyUps
    EXPECT_EQ(Log(log.begin(), log.begin() + 2),
              row.keyPress ? Log({"KeyDown 13", row.keyPress}) : Log({"KeyDown 13", "KeyUp"}))
        << row.key << " " << row.modifiers.toInt();
  }
  EXPECT_EQ(combo()->currentText(), QStringLiteral("Bau"));
  EXPECT_EQ(combo()->count(), 0);  // Enter inserted nothing into the list

  for (const auto& [name, click] : {std::pair{"cmdSuche", "Suche"}, std::pair{"cmdAbbruch", "Abbruch"},
                                     std::pair{"cmdInfo", "Info"}}) {
    find(name)->setFocus();
    log.clear();
    press(Qt::Key_Return);
    QTest::qWait(150);
    EXPECT_EQ(log, Log({"KeyDown 13", click})) << name;
  }
}

TEST_F(FrmSucheTest, TypingReportsPressesAndReleasesInTheTermBox) {
  showActive();
  type(QString::fromUtf8("Mü"));
  EXPECT_EQ(log, Log({"Load", "KeyDown 77", "KeyPress 77", "KeyUp", "KeyPress 252", "KeyUp"}));
  log.clear();
  press(Qt::Key_Backspace);
  EXPECT_EQ(log, Log({"KeyDown 8", "KeyPress 8", "KeyUp"}));
  EXPECT_EQ(combo()->currentText(), QStringLiteral("M"));

  find("cmdSuche")->setFocus();
  log.clear();
  QTest::keyClick(focused(), Qt::Key_X);
  EXPECT_EQ(log, Log({"KeyDown 88"}));  // no KeyPress, no KeyUp outside the term box
}

// The logic completes from the history (completion_test.cpp), case-sensitively;
// the box adds nothing of its own.
TEST_F(FrmSucheTest, TheBoxCompletesNothingOnItsOwn) {
  showActive();
  dialog.addListItem("müller");
  type(QString::fromUtf8("Mü"));
  EXPECT_EQ(combo()->currentText(), QString::fromUtf8("Mü"));
  EXPECT_TRUE(combo()->lineEdit()->selectedText().isEmpty());
}

TEST_F(FrmSucheTest, ClicksAndClosingGoToTheirHandlersAfterTheLoadStep) {
  showActive();
  for (const char* name : {"cmdSuche", "cmdAbbruch", "cmdInfo"}) {
    QTest::mouseClick(find(name), Qt::LeftButton);
  }
  dialog.close();
  EXPECT_EQ(log, Log({"Load", "Suche", "Abbruch", "Info", "Unload"}));
}

TEST_F(FrmSucheTest, ProgressShowsHundredthsAndKeepsTheExactPosition) {
  auto* bar = find<QProgressBar>("Progressbar");
  for (const auto& [position, barValue] : {std::pair{0.0f, 0},
                                           {33.33f, 3333},
                                           {66.666f, 6667},
                                           {100.0f, 10000},
                                           {150.0f, 10000},
                                           {-5.0f, 0}}) {
    dialog.setProgress(position);
    settleDisplay();
    EXPECT_EQ(bar->value(), barValue) << position;
    EXPECT_EQ(dialog.property("progressPosition").toFloat(), position);
  }
  EXPECT_FALSE(bar->isTextVisible());
}

TEST_F(FrmSucheTest, HourglassWhileBusy) {
  dialog.setMousePointer(search::MousePointer::kHourglass);
  dialog.setMousePointer(search::MousePointer::kHourglass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  dialog.setMousePointer(search::MousePointer::kDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FrmSucheTest, ListChangesLeaveTheTypedTextAlone) {
  dialog.addListItem("Meyer");
  dialog.addListItem("");
  dialog.addListItem("müller");
  EXPECT_TRUE(dialog.comboText().empty());
  dialog.setComboText("Bau");
  dialog.setListItem(0, "Bau");
  EXPECT_EQ(dialog.comboText(), "Bau");
  EXPECT_EQ(dialog.listCount(), 3);
  EXPECT_EQ(dialog.listItem(0), "Bau");
  EXPECT_EQ(dialog.listItem(2), "müller");
}

// Characters, not bytes or UTF-16 code units (character_positions_test.cpp
// has the counting in detail).
TEST_F(FrmSucheTest, SelectionCountsCharactersNotBytesOrCodeUnits) {
  dialog.setComboText("😀Müller");
  dialog.setSelection(3, 4);
  EXPECT_EQ(combo()->lineEdit()->selectedText(), QStringLiteral("ller"));
  EXPECT_EQ(dialog.selectionStart(), 3);
}

TEST_F(FrmSucheTest, RapidUpdatesEndOnTheLastValuesInTheFirstPanel) {
  auto* panel = find<QLabel>("StatusPanel");
  for (int i = 1; i <= 500; ++i) {
    dialog.setStatusText("Es wurden " + std::to_string(i) + " Kontakte gefunden.");
    dialog.setProgress(static_cast<float>(i) / 5.0f);
  }
  // Far fewer paints than updates, but the last values show.
  settleDisplay();
  EXPECT_EQ(panel->text(), QStringLiteral("Es wurden 500 Kontakte gefunden."));
  EXPECT_TRUE(find<QLabel>("StatusPanel2")->text().isEmpty());
  EXPECT_EQ(find<QProgressBar>("Progressbar")->value(), 10000);

  // A new message shows at once, without waiting for the interval.
  dialog.setStatusText("Es wurden 501 Kontakte gefunden.");
  dialog.setStatusText("Die 501 Kontakte werden in ACT! angezeigt.");
  EXPECT_EQ(panel->text(), QStringLiteral("Die 501 Kontakte werden in ACT! angezeigt."));
  dialog.setProgress(0.0f);
  EXPECT_EQ(find<QProgressBar>("Progressbar")->value(), 0);
}

}  // namespace
}  // namespace search_qt

// The dialog together with its real logic: what the user sees when typing.

#include "search/frm_suche_logic.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "platform/qt/qt_test_environment.h"
#include "search/qt/frm_suche.h"
#include "search/search_test_util.h"

namespace search_qt {
namespace {

class FrmSucheWithLogicTest : public ::testing::Test {
 protected:
  FrmSucheWithLogicTest() {
    const char* history[] = {"Meyer", "Meier", "müller"};
    for (int key = 0; key < 3; ++key) {
      settings
          .values[{search::kSettingsApplication, search::kHistorySection, std::to_string(key)}] =
          history[key];
    }
    dialog = std::make_unique<FrmSuche>(
        search::SearchServices{globals, boxes, pump, settings, programEnd, information});
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    combo = dialog->findChild<QComboBox*>(QStringLiteral("cbxSuchbegriffe"));
  }

  void type(const QString& text) {
    for (QChar ch : text) {
      const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
      QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, QString(ch),
                          Qt::NoModifier);
    }
  }
  QString selected() const { return combo->lineEdit()->selectedText(); }

  search::ProgramGlobals globals;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  fakes::FakeSettingsStore settings;
  fakes::FakeProgramEnd programEnd;
  search::testing::FakeInformationDialog information;
  std::unique_ptr<FrmSuche> dialog;
  QComboBox* combo = nullptr;
};

TEST_F(FrmSucheWithLogicTest, CompletesWhatIsTypedFromTheHistory) {
  struct Case {
    QString typed;
    QString text;
    QString highlighted;
  };
  const Case cases[] = {
      {"Me", "Meyer", "yer"},
      {QString::fromUtf8("mü"), QString::fromUtf8("müller"), "ller"},
      {QString::fromUtf8("Mü"), QString::fromUtf8("Mü"), ""},  // case-sensitive: nothing
      {"[M", "[M", ""},                                        // no valid pattern: stays as typed
  };
  for (const auto& c : cases) {
    combo->setEditText(QString());
    type(c.typed);
    EXPECT_EQ(combo->currentText(), c.text) << c.typed.toStdString();
    EXPECT_EQ(selected(), c.highlighted) << c.typed.toStdString();
  }
}

TEST_F(FrmSucheWithLogicTest, BackspaceRefusesTheSuggestionAndTypingOnCompletesAgain) {
  type("Me");
  ASSERT_EQ(combo->currentText(), QStringLiteral("Meyer"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Me"));
  EXPECT_TRUE(selected().isEmpty());
  type("i");
  EXPECT_EQ(combo->currentText(), QStringLiteral("Meier"));
  EXPECT_EQ(selected(), QStringLiteral("er"));
}

}  // namespace
}  // namespace search_qt

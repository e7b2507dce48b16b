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

TEST(FrmSucheWithLogic, CompletesWhatIsTypedFromTheHistoryAndBackspaceRefusesIt) {
  search::ProgramGlobals globals;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeEventPump pump;
  fakes::FakeSettingsStore settings;
  fakes::FakeProgramEnd programEnd;
  fakes::FakeInformationDialog information;
  const char* history[] = {"Meyer", "Meier", "müller"};
  for (int key = 0; key < 3; ++key) {
    settings.values[{search::kSettingsApplication, search::kHistorySection, std::to_string(key)}] =
        history[key];
  }
  FrmSuche dialog(search::SearchServices{globals, boxes, pump, settings, programEnd, information});
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("cbxSuchbegriffe"));
  ASSERT_NE(combo, nullptr);

  const struct {
    bool fresh;    // typed into an emptied box
    QString keys;  // \b is Backspace
    QString text;
    QString highlighted;
  } steps[] = {
      {true, "Me", "Meyer", "yer"},
      {false, "\b", "Me", ""},
      {false, "i", "Meier", "er"},
      {true, QString::fromUtf8("mü"), QString::fromUtf8("müller"), "ller"},
      {true, QString::fromUtf8("Mü"), QString::fromUtf8("Mü"), ""},  // case-sensitive: nothing
      {true, "[M", "[M", ""},                                        // no valid pattern
  };
  for (const auto& step : steps) {
    if (step.fresh) combo->setEditText(QString());
    for (QChar ch : step.keys) {
      if (ch == u'\b') {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
      } else {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                            static_cast<Qt::Key>(ch.toUpper().unicode()), QString(ch),
                            Qt::NoModifier);
      }
    }
    EXPECT_EQ(combo->currentText(), step.text) << step.keys.toStdString();
    EXPECT_EQ(combo->lineEdit()->selectedText(), step.highlighted) << step.keys.toStdString();
  }
}

}  // namespace
}  // namespace search_qt

#include "standin/qt/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace standin_qt {
namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "main_window_test";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

TEST(MainWindow, StatusLineAndWebLinkMenuFollowTheModel) {
  application();
  standin::ShownContacts contacts;
  ContactModel model(contacts);
  contacts.setTable(
      standin::ContactTable("/act/K.dbf", {{"A", "a", "", "", "1"}, {"B", "b", "", "", "2"}}));
  MainWindow window(
      model, {{"ACT! &Forum", "http://f"}, {"Add-ons", "http://d"}},
      [](const QString&) { return QString(); },
      [](const QString&) { return QStringLiteral("ACT! - K"); });
  EXPECT_EQ(window.statusText(), QStringLiteral("2 Kontakte angezeigt – alle Kontakte"));
  contacts.showLookup({1});
  EXPECT_EQ(window.statusText(), QStringLiteral("1 Kontakt angezeigt – Lookup aktiv"));
  contacts.showLookup({});
  EXPECT_EQ(window.statusText(), QStringLiteral("0 Kontakte angezeigt – Lookup aktiv"));

  auto* menu = window.findChild<QMenu*>("webLinks");
  ASSERT_NE(menu, nullptr);
  QStringList captions;
  for (QAction* action : menu->actions()) captions << action->text();
  EXPECT_EQ(captions, QStringList({"ACT! &Forum", "Add-ons"}));
}

}  // namespace
}  // namespace standin_qt

#include "standin/qt/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTableView>

#include "standin/main_window_contract_test_util.h"

namespace standin_qt {
namespace {

TEST(MainWindow, FollowsTheContacts) {
  static int argc = 1;
  static char name[] = "main_window_test";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  standin::ShownContacts contacts;
  ContactModel model(contacts);
  MainWindow window(
      model, standin::kContractLinks, [](const QString&) { return QString(); },
      [](const QString&) { return QStringLiteral("ACT! - K"); });
  standin::expectMainWindowFollowsTheContacts(
      contacts, {[&] { return window.statusText().toStdString(); },
                 [&] { return window.findChild<QTableView*>()->model()->rowCount(); },
                 [&] {
                   std::vector<std::string> captions;
                   for (QAction* action : window.findChild<QMenu*>("webLinks")->actions()) {
                     captions.push_back(action->text().toStdString());
                   }
                   return captions;
                 }});
}

}  // namespace
}  // namespace standin_qt

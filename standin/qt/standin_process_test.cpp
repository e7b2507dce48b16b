// The stand-in as a process in a private session: its window as the window
// finder sees it, the refused second instance, its command line, and the protocol as a client that
// knows only names sees it.
#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFile>

#include "platform/linux/x11_window_list.h"
#include "startup/window_finder.h"
#include "tests/e2e/session_fixture.h"

namespace standin_qt {
namespace {

using e2e::Session;
using e2e::StandinProcess;

const QString kFixtureTable = QStringLiteral(SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf");

class StandinProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session_.busStarted()) << session_.failure().toStdString(); }
  Session& session_ = Session::shared();
};

// Waits until the window finder's answer for (class, title) is found / not found.
common::WindowHandle findWindow(const QString& display, const char* classText,
                                const char* titleText) {
  platform_linux::X11WindowList windows(display.toStdString().c_str());
  startup::SetWindowList(windows);
  return startup::FindTopLevelWindow(classText, titleText);
}

TEST_F(StandinProcessTest, WindowFinderFindsTheMainWindowUnlessItIsHidden) {
  if (!x11_test::XvfbServer::available()) GTEST_SKIP() << "Xvfb is not installed";
  const QString display = session_.display();
  ASSERT_FALSE(display.isEmpty());
  {
    StandinProcess act(session_, {kFixtureTable}, StandinProcess::Screen::kVirtualX);
    ASSERT_TRUE(act.waitUntilServing()) << act.standardError().toStdString();
    EXPECT_TRUE(e2e::waitUntil(
        [&] { return findWindow(display, "act3.0frameclass", "ACT! - KONTAKTE") != 0; }));
  }
  {
    StandinProcess act(session_, {"--hidden", kFixtureTable}, StandinProcess::Screen::kVirtualX);
    ASSERT_TRUE(act.waitUntilServing());
    QThread::msleep(300);  // time enough to map a window, had it been shown
    EXPECT_EQ(findWindow(display, "act3.0frameclass", "*"), 0u);
  }
}

TEST_F(StandinProcessTest, ASecondInstanceIsRefusedAtOnce) {
  StandinProcess first(session_, {kFixtureTable});
  ASSERT_TRUE(first.waitUntilServing());
  StandinProcess second(session_, {kFixtureTable});
  EXPECT_EQ(second.waitForExit(5000), 1);
  EXPECT_TRUE(second.standardError().contains(u"schon belegt"));
  EXPECT_TRUE(first.running());
}

TEST_F(StandinProcessTest, WrongStartsEndWithStatusTwoAndAGermanMessage) {
  const QStringList cases[] = {
      {},
      {"--refuse-views", "x", kFixtureTable},
      {QStringLiteral(SPURLIX_TEST_DATA "/sql/FEHLT.dbf")},
      {"--log", "/nonexistent/folder/log", kFixtureTable},
  };
  for (const QStringList& arguments : cases) {
    StandinProcess act(session_, arguments);
    EXPECT_EQ(act.waitForExit(5000), 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(act.standardError().startsWith("act-standin: "))
        << arguments.join(' ').toStdString();
  }
}

// What a client that calls members by bare name gets: Qt's server side
// dispatches a call without interface name to the object's one interface.
TEST_F(StandinProcessTest, MembersAnswerWithAndWithoutInterfaceName) {
  StandinProcess act(session_, {kFixtureTable});
  ASSERT_TRUE(act.waitUntilServing());
  for (const QString& interface : {QStringLiteral("ACTOLE.Application"), QString()}) {
    QDBusMessage call = QDBusMessage::createMethodCall("ACTOLE.APPOBJECT", "/Application",
                                                       interface, "GetOpenDBName");
    const QDBusMessage reply = session_.connection().call(call, QDBus::Block, 5000);
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    EXPECT_EQ(reply.arguments().value(0).toString(), QFileInfo(kFixtureTable).absoluteFilePath());
  }
  QDBusMessage unknown = QDBusMessage::createMethodCall("ACTOLE.APPOBJECT", "/Application/Views/9",
                                                        "ACTOLE.View", "LookupAll");
  EXPECT_EQ(session_.connection().call(unknown, QDBus::Block, 5000).type(),
            QDBusMessage::ErrorMessage)
      << "no view before Create";
}

}  // namespace
}  // namespace standin_qt

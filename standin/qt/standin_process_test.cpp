// The stand-in as a process in a private session: the stand-in's contract,
// and the protocol as a client that knows only names sees it.
#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QFile>

#include "standin/qt/linux_standin_test_util.h"
#include "standin/standin_process_contract_test_util.h"

namespace standin_qt {
namespace {

class StandinProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session_.busStarted()) << session_.failure().toStdString(); }
  e2e::Session& session_ = e2e::Session::shared();
};

TEST_F(StandinProcessTest, KeepsTheContract) {
  common::StandinRig rig = LinuxStandin::rig(nullptr, e2e::StandinProcess::Screen::kOffscreen);
  standin::expectTheStandinProcessContract(rig);
}

// What a client that calls members by bare name gets: Qt's server side
// dispatches a call without interface name to the object's one interface.
TEST_F(StandinProcessTest, MembersAnswerWithAndWithoutInterfaceName) {
  LinuxStandin act({SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf"},
                   e2e::StandinProcess::Screen::kOffscreen);
  ASSERT_TRUE(act.waitUntilServing());
  for (const QString& interface : {QStringLiteral("ACTOLE.Application"), QString()}) {
    QDBusMessage call = QDBusMessage::createMethodCall("ACTOLE.APPOBJECT", "/Application",
                                                       interface, "GetOpenDBName");
    const QDBusMessage reply = session_.connection().call(call, QDBus::Block, 5000);
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    EXPECT_EQ(reply.arguments().value(0).toString(),
              QFileInfo(SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf").absoluteFilePath());
  }
  QDBusMessage unknown = QDBusMessage::createMethodCall("ACTOLE.APPOBJECT", "/Application/Views/9",
                                                        "ACTOLE.View", "LookupAll");
  EXPECT_EQ(session_.connection().call(unknown, QDBus::Block, 5000).type(),
            QDBusMessage::ErrorMessage)
      << "no view before Create";
}

}  // namespace
}  // namespace standin_qt

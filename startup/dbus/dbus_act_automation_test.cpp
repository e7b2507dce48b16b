#include "startup/dbus/dbus_act_automation.h"

#include <gtest/gtest.h>

#include <QDBusVirtualObject>
#include <QMutex>
#include <QThread>

#include "standin/qt/linux_standin_test_util.h"

namespace startup_dbus {
namespace {

using e2e::Session;

const QString kProgId = QStringLiteral("ACTOLE.APPOBJECT");

class DBusActAutomationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session_.busStarted()) << session_.failure().toStdString(); }

  Session& session_ = Session::shared();
  DBusActAutomation automation_{session_.connection()};
  common::StandinRig rig_ =
      standin_qt::LinuxStandin::rig(&automation_, e2e::StandinProcess::Screen::kOffscreen);
};

TEST_F(DBusActAutomationTest, KeepsTheContract) {
  common::expectActAutomationContract(rig_);
}

TEST_F(DBusActAutomationTest, NoApplicationObjectForNamesNobodyOwnsOrWithoutABus) {
  for (const char* progId : {"ACTOLE.APPOBJECT", "not a bus name"}) {
    EXPECT_EQ(automation_.CreateObject(progId), nullptr) << progId;
  }
  QDBusConnection nowhere = QDBusConnection::connectToBus(
      QStringLiteral("unix:path=/nonexistent/bus-socket"), QStringLiteral("nowhere"));
  DBusActAutomation unconnected(nowhere);
  EXPECT_EQ(common::createWithWorkMeanwhile(unconnected, "ACTOLE.APPOBJECT"), nullptr);
}

// --- Against a scripted server: the adapter's own rules --------------------

// Answers every call on its connection with what the test chose per member
// (an error where it chose nothing), from a thread of its own, and remembers
// the last message per member.
class ScriptedServer : public QDBusVirtualObject {
 public:
  struct Answer {
    QVariantList arguments;
    bool error = false;
    int delayMs = 0;
  };

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    QMutexLocker lock(&mutex_);
    received_[message.member()] = message;
    const Answer answer = answers_.value(message.member(), Answer{{}, true, 0});
    lock.unlock();
    QThread::msleep(static_cast<unsigned long>(answer.delayMs));
    connection.send(answer.error ? message.createErrorReply(QStringLiteral("test.Error"),
                                                            QStringLiteral("scripted"))
                                 : message.createReply(answer.arguments));
    return true;
  }
  QString introspect(const QString&) const override { return {}; }

  void answer(const QString& member, Answer answer) {
    QMutexLocker lock(&mutex_);
    answers_[member] = std::move(answer);
  }
  QDBusMessage received(const QString& member) {
    QMutexLocker lock(&mutex_);
    return received_.value(member);
  }

 private:
  QMutex mutex_;
  QHash<QString, Answer> answers_;
  QHash<QString, QDBusMessage> received_;
};

class ScriptedServerTest : public DBusActAutomationTest {
 protected:
  void SetUp() override {
    DBusActAutomationTest::SetUp();
    connection_ = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(session_.busAddress(), QStringLiteral("scripted-server")));
    ASSERT_TRUE(connection_->isConnected());
    ASSERT_TRUE(connection_->registerVirtualObject(QStringLiteral("/Application"), &server_,
                                                   QDBusConnection::SubPath));
    server_.moveToThread(&thread_);
    thread_.start();
    ASSERT_TRUE(connection_->registerService(kProgId));
    server_.answer("Views", {{path("/Application/Views")}});
    server_.answer("Create", {{path("/Application/Views/7")}});
  }
  void TearDown() override {
    connection_->unregisterService(kProgId);
    connection_->unregisterObject(QStringLiteral("/Application"), QDBusConnection::UnregisterTree);
    connection_.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("scripted-server"));
    QThread* home = QThread::currentThread();
    QMetaObject::invokeMethod(
        &server_, [this, home] { server_.moveToThread(home); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
  }

  static QVariant path(const char* text) { return QVariant::fromValue(QDBusObjectPath(text)); }

  ScriptedServer server_;
  QThread thread_;
  std::unique_ptr<QDBusConnection> connection_;
};

// Each member takes only answers of its own kind: an object path other than
// "/" for an object, a 16- or 32-bit number for CreateLookup, a text for
// GetOpenDBName. Anything else, an error included, is a failure.
TEST_F(ScriptedServerTest, AnswersOfTheWrongKindAreFailures) {
  const std::tuple<const char*, ScriptedServer::Answer, bool, std::optional<std::int32_t>,
                   std::optional<std::string>>
      cases[] = {
          {"a path", {{path("/Application/Views/3")}}, true, std::nullopt, std::nullopt},
          {"the path /", {{path("/")}}, false, std::nullopt, std::nullopt},
          {"a path as a string", {{QStringLiteral("/A/V")}}, false, std::nullopt, "/A/V"},
          {"32-bit", {{0}}, false, 0, std::nullopt},
          {"negative", {{-1}}, false, -1, std::nullopt},
          {"16-bit", {{QVariant::fromValue<qint16>(100)}}, false, 100, std::nullopt},
          {"text", {{QStringLiteral("/act/K ä.dbf")}}, false, std::nullopt, "/act/K ä.dbf"},
          {"a double", {{1.5}}, false, std::nullopt, std::nullopt},
          {"nothing", {{}}, false, std::nullopt, std::nullopt},
          {"an error", {{}, true}, false, std::nullopt, std::nullopt},
      };
  auto [application, views, view] = common::openView(automation_);
  ASSERT_NE(view, nullptr);
  for (const auto& [what, answer, object, lookup, name] : cases) {
    for (const char* member : {"Views", "Create", "CreateLookup", "GetOpenDBName"}) {
      server_.answer(member, answer);
    }
    std::string ids = common::paddedIds({"Ä1"});
    EXPECT_EQ(application->Views() != nullptr, object) << what;
    EXPECT_EQ(views->Create(1, 2) != nullptr, object) << what;
    EXPECT_EQ(view->CreateLookup(ids), lookup) << what;
    EXPECT_EQ(application->GetOpenDBName(), name) << what;
  }
  // What went over the bus for the last lookup.
  const QDBusMessage lookup = server_.received("CreateLookup");
  EXPECT_EQ(lookup.path(), "/Application/Views/7");
  EXPECT_EQ(lookup.arguments().value(0).toString().toStdString(), common::paddedIds({"Ä1"}));
}

TEST_F(ScriptedServerTest, ASlowServerIsGivenUpAfterTheTimeLimit) {
  server_.answer("GetOpenDBName", {{QStringLiteral("/late")}, false, 800});
  auto application = DBusActAutomation(session_.connection(), 150).CreateObject("ACTOLE.APPOBJECT");
  ASSERT_NE(application, nullptr);
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(application->GetOpenDBName(), std::nullopt);
  EXPECT_LT(timer.elapsed(), 600);
}

}  // namespace
}  // namespace startup_dbus

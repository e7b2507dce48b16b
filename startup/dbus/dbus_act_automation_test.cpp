#include "startup/dbus/dbus_act_automation.h"

#include <gtest/gtest.h>

#include <QDBusVirtualObject>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QThread>

#include "tests/e2e/session_fixture.h"

namespace startup_dbus {
namespace {

using e2e::Session;
using e2e::StandinProcess;

const std::string kProgId = "ACTOLE.APPOBJECT";
const QString kFixtureTable = QStringLiteral(SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf");

std::string padded(const std::vector<std::string>& ids) {
  std::string list;
  for (const std::string& id : ids) list += id + std::string(12 - id.size(), ' ');
  return list;
}

// The objects from the application to a view, as the start-up walks them;
// those after a step that gave none stay empty.
struct ActObjects {
  std::unique_ptr<common::ActApplication> application;
  std::unique_ptr<common::ActViews> views;
  std::unique_ptr<common::ActView> view;
};

ActObjects openView(const QDBusConnection& connection) {
  ActObjects act;
  act.application = DBusActAutomation(connection).CreateObject(kProgId);
  if (act.application) act.views = act.application->Views();
  if (act.views) act.view = act.views->Create(1, 2);
  return act;
}

class DBusActAutomationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.busStarted()) << session_.failure().toStdString();
    ASSERT_TRUE(logFolder_.isValid());
  }
  QString logPath() const { return logFolder_.filePath(QStringLiteral("calls.jsonl")); }
  // The stand-in's log, one JSON text per call.
  QStringList log() const {
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  }

  Session& session_ = Session::shared();
  QTemporaryDir logFolder_;
};

// --- Against the real stand-in ---------------------------------------------

// The program's whole conversation with the stand-in is checked end to end;
// here the answers it does not provoke, and a list of the largest kind.
TEST_F(DBusActAutomationTest, LookupAnswersAndHundredThousandIdsPassTheBus) {
  StandinProcess act(session_, {"--log", logPath(), kFixtureTable});
  ASSERT_TRUE(act.waitUntilServing()) << act.standardError().toStdString();
  auto [application, views, view] = openView(session_.connection());
  ASSERT_NE(view, nullptr);
  std::string oneMissing = padded({"A00000000005", "A00000000008", "NOPE"});  // 8 is deleted
  std::string badLength = padded({"X1"}) + "X";
  EXPECT_EQ(view->CreateLookup(oneMissing), 100);
  EXPECT_EQ(view->CreateLookup(badLength), 5);
  EXPECT_EQ(badLength, padded({"X1"}) + "X") << "the list is handed over unchanged";

  // A hundred thousand IDs (here none of them in the table) arrive whole.
  std::vector<std::string> many;
  for (int k = 100'000; k > 0; --k) many.push_back("N" + std::to_string(k));
  std::string list = padded(many);
  EXPECT_EQ(view->CreateLookup(list), 100);
  const QJsonArray logged =
      QJsonDocument::fromJson(log().value(log().size() - 1).toUtf8())["ids"].toArray();
  ASSERT_EQ(logged.size(), 100'000);
  EXPECT_EQ(logged.first().toString(), "N100000");
  EXPECT_EQ(logged.last().toString(), "N1");
}

TEST_F(DBusActAutomationTest, MisbehaviourSwitchesBecomeNoObjectOrTheChosenResult) {
  {
    StandinProcess act(session_, {"--no-views", kFixtureTable});
    ASSERT_TRUE(act.waitUntilServing());
    const ActObjects objects = openView(session_.connection());
    ASSERT_NE(objects.application, nullptr);
    EXPECT_EQ(objects.views, nullptr);
    EXPECT_TRUE(objects.application->GetOpenDBName()) << "the application still answers";
  }
  StandinProcess act(session_, {"--lookup-result", "-1", kFixtureTable});
  ASSERT_TRUE(act.waitUntilServing());
  const ActObjects objects = openView(session_.connection());
  ASSERT_NE(objects.view, nullptr);
  std::string ids = padded({"X1"});
  EXPECT_EQ(objects.view->CreateLookup(ids), -1);
}

TEST_F(DBusActAutomationTest, NoApplicationObjectWhenNobodyOwnsTheNameOrThereIsNoBus) {
  StandinProcess act(session_, {"--no-app", kFixtureTable});
  QThread::msleep(300);  // time enough to have taken the name, had it tried
  EXPECT_TRUE(act.running());
  for (const char* progId : {"ACTOLE.APPOBJECT", "", "not a bus name"}) {
    EXPECT_EQ(DBusActAutomation(session_.connection()).CreateObject(progId), nullptr) << progId;
  }
  QDBusConnection nowhere = QDBusConnection::connectToBus(
      QStringLiteral("unix:path=/nonexistent/bus-socket"), QStringLiteral("nowhere"));
  EXPECT_EQ(DBusActAutomation(nowhere).CreateObject(kProgId), nullptr);
}

TEST_F(DBusActAutomationTest, StandinLeavingBeforeTheLookupGivesNoAnswerQuickly) {
  StandinProcess act(session_, {"--quit-on-lookup", "--log", logPath(), kFixtureTable});
  ASSERT_TRUE(act.waitUntilServing());
  auto [application, views, view] = openView(session_.connection());
  ASSERT_NE(view, nullptr);

  std::string ids = padded({"X1"});
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(view->CreateLookup(ids), std::nullopt);
  EXPECT_LT(timer.elapsed(), 2000);
  EXPECT_EQ(act.waitForExit(), 0);
  // Everything bound to the departed server now fails at once.
  EXPECT_FALSE(view->LookupAll());
  EXPECT_EQ(application->GetOpenDBName(), std::nullopt);
  EXPECT_EQ(application->Views(), nullptr);
  EXPECT_EQ(log().value(log().size() - 1),
            R"({"call":"CreateLookup","ids":["X1"],"result":null,"view":1})");
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
    ASSERT_TRUE(connection_->registerService(QString::fromStdString(kProgId)));
    server_.answer("Views", {{path("/Application/Views")}});
    server_.answer("Create", {{path("/Application/Views/7")}});
  }
  void TearDown() override {
    connection_->unregisterService(QString::fromStdString(kProgId));
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
  const struct {
    const char* what;
    ScriptedServer::Answer answer;
    bool object;
    std::optional<std::int32_t> lookup;
    std::optional<std::string> name;
  } cases[] = {
      {"a path", {{path("/Application/Views/3")}}, true, std::nullopt, std::nullopt},
      {"the path /", {{path("/")}}, false, std::nullopt, std::nullopt},
      {"a path as a string", {{QStringLiteral("/A/V")}}, false, std::nullopt, "/A/V"},
      {"32-bit", {{0}}, false, 0, std::nullopt},
      {"negative", {{-1}}, false, -1, std::nullopt},
      {"16-bit", {{QVariant::fromValue<qint16>(100)}}, false, 100, std::nullopt},
      {"text",
       {{QStringLiteral("/act/Kontakte ä.dbf")}},
       false,
       std::nullopt,
       "/act/Kontakte ä.dbf"},
      {"a double", {{1.5}}, false, std::nullopt, std::nullopt},
      {"nothing", {{}}, false, std::nullopt, std::nullopt},
      {"an error", {{}, true}, false, std::nullopt, std::nullopt},
  };
  auto [application, views, view] = openView(session_.connection());
  ASSERT_NE(view, nullptr);
  for (const auto& c : cases) {
    for (const char* member : {"Views", "Create", "CreateLookup", "GetOpenDBName"}) {
      server_.answer(member, c.answer);
    }
    std::string ids = padded({"Ä1"});
    EXPECT_EQ(application->Views() != nullptr, c.object) << c.what;
    EXPECT_EQ(views->Create(1, 2) != nullptr, c.object) << c.what;
    EXPECT_EQ(view->CreateLookup(ids), c.lookup) << c.what;
    EXPECT_EQ(application->GetOpenDBName(), c.name) << c.what;
  }
  // What went over the bus for the last lookup.
  const QDBusMessage lookup = server_.received("CreateLookup");
  EXPECT_EQ(lookup.path(), "/Application/Views/7");
  EXPECT_EQ(lookup.arguments().value(0).toString().toStdString(), padded({"Ä1"}));
}

TEST_F(ScriptedServerTest, ASlowServerIsGivenUpAfterTheTimeLimit) {
  server_.answer("GetOpenDBName", {{QStringLiteral("/late")}, false, 800});
  auto application = DBusActAutomation(session_.connection(), 150).CreateObject(kProgId);
  ASSERT_NE(application, nullptr);
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(application->GetOpenDBName(), std::nullopt);
  EXPECT_LT(timer.elapsed(), 600);
}

}  // namespace
}  // namespace startup_dbus

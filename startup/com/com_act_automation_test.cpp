// The COM adapter against the real stand-in ACT! (act-standin.exe) under
// Wine: every operation, every switch, a busy server, a server that leaves,
// 100,000 IDs and a server that COM starts itself.
#include "startup/com/com_act_automation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/win32/standin_process.h"
#include "tools/demo_data/dbf_writer.h"

namespace startup_com {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;
using win32_test::StandinProcess;

const std::string kProgId = "ACTOLE.APPOBJECT";
const std::wstring kFixture = platform_win32::wideFromUtf8(SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf");
const std::string kFixturePath = win32_test::reportedPath(SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf");

std::string padded(const std::vector<std::string>& ids) {
  std::string list;
  for (const std::string& id : ids) list += id + std::string(12 - id.size(), ' ');
  return list;
}

// The objects from the application to a view, as the start-up walks them.
struct ActObjects {
  std::unique_ptr<common::ActApplication> application;
  std::unique_ptr<common::ActViews> views;
  std::unique_ptr<common::ActView> view;
};

ActObjects openView(ComActAutomation& automation) {
  ActObjects act;
  act.application = automation.CreateObject(kProgId);
  if (act.application) act.views = act.application->Views();
  if (act.views) act.view = act.views->Create(1, 2);
  return act;
}

class ComActAutomationTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::remove(logPath_); }
  void TearDown() override { std::filesystem::remove(logPath_); }
  Lines log() const { return win32_test::linesOf(logPath_); }

  std::filesystem::path logPath_ =
      std::filesystem::temp_directory_path() /
      (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".jsonl");
  ComActAutomation automation_;
};

TEST_F(ComActAutomationTest, SevenOperationsReachTheStandinAndAreLogged) {
  StandinProcess act({L"--hidden", L"--log", logPath_.wstring(), kFixture});
  ASSERT_TRUE(act.waitUntilServing()) << act.standardError();
  auto [application, views, view] = openView(automation_);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(application->GetOpenDBName(), kFixturePath);
  EXPECT_TRUE(view->LookupAll());
  std::string allFound = padded({"X1", "A00000000001"});
  std::string oneMissing = padded({"A00000000005", "A00000000008", "NOPE"});  // 8 is deleted
  std::string badLength = allFound + "Ä";
  EXPECT_EQ(view->CreateLookup(allFound), 0);
  EXPECT_EQ(view->CreateLookup(oneMissing), 100);
  EXPECT_EQ(view->CreateLookup(badLength), 5);
  EXPECT_EQ(allFound, padded({"X1", "A00000000001"})) << "the list is handed over unchanged";
  view.reset();
  views.reset();
  application.reset();

  EXPECT_EQ(
      log(),
      Lines({R"({"call":"Views","result":"/Application/Views"})",
             R"({"args":[1,2],"call":"Create","result":"/Application/Views/1"})",
             R"({"call":"GetOpenDBName","result":")" + win32_test::logged(kFixturePath) + R"("})",
             R"({"call":"LookupAll","result":0,"view":1})",
             R"({"call":"CreateLookup","ids":["X1","A00000000001"],"result":0,"view":1})",
             R"({"call":"CreateLookup","ids":["A00000000005","A00000000008","NOPE"],)"
             R"("result":100,"view":1})",
             R"({"call":"CreateLookup","idList":")" + badLength + R"(","result":5,"view":1})"}));
}

TEST_F(ComActAutomationTest, MisbehaviourSwitchesBecomeNoObjectOrTheChosenResult) {
  {
    StandinProcess act({L"--hidden", L"--no-app", kFixture});
    ASSERT_TRUE(act.waitUntilServing());
    EXPECT_EQ(automation_.CreateObject(kProgId), nullptr) << "nothing can create the object";
    EXPECT_EQ(automation_.CreateObject(""), nullptr);
  }
  {
    StandinProcess act({L"--hidden", L"--no-views", kFixture});
    ASSERT_TRUE(act.waitUntilServing());
    auto application = automation_.CreateObject(kProgId);
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(application->Views(), nullptr);
    EXPECT_TRUE(application->GetOpenDBName().has_value()) << "the application still answers";
  }
  {
    StandinProcess act({L"--hidden", L"--refuse-views", L"2", L"--lookup-result", L"-1", kFixture});
    ASSERT_TRUE(act.waitUntilServing());
    auto application = automation_.CreateObject(kProgId);
    ASSERT_NE(application, nullptr);
    auto views = application->Views();
    ASSERT_NE(views, nullptr);
    EXPECT_EQ(views->Create(1, 2), nullptr);
    EXPECT_EQ(views->Create(1, 2), nullptr);
    auto view = views->Create(1, 2);
    ASSERT_NE(view, nullptr);
    std::string ids = padded({"X1"});
    EXPECT_EQ(view->CreateLookup(ids), -1);
  }
}

TEST_F(ComActAutomationTest, ABusyServerIsRetriedForTenSeconds) {
  struct Case {
    const wchar_t* busyMs;
    bool served;
  };
  for (const Case c : {Case{L"2000", true}, Case{L"20000", false}}) {
    StandinProcess act(
        {L"--hidden", L"--busy-ms", c.busyMs, L"--log", logPath_.wstring(), kFixture});
    ASSERT_TRUE(act.waitUntilServing());
    const auto start = Clock::now();
    auto [application, views, view] = openView(automation_);
    const auto waited = Clock::now() - start;
    EXPECT_EQ(view != nullptr, c.served) << c.busyMs;
    if (c.served) {
      EXPECT_LT(waited, 3s);
      std::string ids = padded({"X1"});
      EXPECT_EQ(view->CreateLookup(ids), 0);
    } else {
      EXPECT_GE(waited, 9500ms);
      EXPECT_LT(waited, 12s);
    }
  }
  EXPECT_EQ(log().size(), 3u) << "the busy server answered no call";
}

// The stand-in leaves without answering a call, or its user closes it
// between two calls. (A stand-in killed outright is left out: Wine 8's rpcss
// keeps the class registration of a process that never revoked it, and every
// later CreateObject in the prefix would reach the dead process.)
TEST_F(ComActAutomationTest, AStandinThatLeavesGivesFailuresQuickly) {
  for (const bool duringTheLookup : {true, false}) {
    std::vector<std::wstring> arguments = {L"--hidden", L"--log", logPath_.wstring(), kFixture};
    if (duringTheLookup) arguments.insert(arguments.begin(), L"--quit-on-lookup");
    StandinProcess act(arguments);
    ASSERT_TRUE(act.waitUntilServing());
    auto [application, views, view] = openView(automation_);
    ASSERT_NE(view, nullptr);
    if (!duringTheLookup) {
      act.close();
      EXPECT_EQ(act.waitForExit(), 0);
    }
    const auto start = Clock::now();
    std::string ids = padded({"X1"});
    EXPECT_EQ(view->CreateLookup(ids), std::nullopt);
    EXPECT_FALSE(view->LookupAll());
    EXPECT_EQ(application->GetOpenDBName(), std::nullopt);
    EXPECT_EQ(application->Views(), nullptr);
    EXPECT_LT(Clock::now() - start, 3s);
    if (duringTheLookup) {
      EXPECT_EQ(act.waitForExit(), 0);
      EXPECT_EQ(log().back(), R"({"call":"CreateLookup","ids":["X1"],"result":null,"view":1})");
    }
  }
}

TEST_F(ComActAutomationTest, HundredThousandIdsAreLookedUpInTheirOrder) {
  const std::filesystem::path table =
      std::filesystem::temp_directory_path() / "hunderttausend" / "KONTAKTE.dbf";
  std::filesystem::create_directories(table.parent_path());
  std::vector<std::string> ids;
  {
    demo_data::DbfWriter writer(table, {{"UNIQUE_ID", 'C', 12}}, 100'000);
    for (int i = 0; i < 100'000; ++i) {
      ids.push_back("K" + std::to_string(i));
      writer.add({ids.back()});
    }
    writer.finish();
  }
  std::reverse(ids.begin(), ids.end());
  {
    StandinProcess act({L"--hidden", L"--log", logPath_.wstring(), table.wstring()});
    ASSERT_TRUE(act.waitUntilServing(30s)) << act.standardError();
    const ActObjects objects = openView(automation_);
    ASSERT_NE(objects.view, nullptr);
    std::string list = padded(ids);
    EXPECT_EQ(objects.view->CreateLookup(list), 0);
  }
  std::filesystem::remove_all(table.parent_path());
  const std::string entry = log().back();
  EXPECT_TRUE(entry.starts_with(R"({"call":"CreateLookup","ids":["K99999","K99998",)"));
  EXPECT_TRUE(entry.ends_with(R"(,"K1","K0"],"result":0,"view":1})"));
  EXPECT_EQ(std::count(entry.begin(), entry.end(), ','), 100'000 + 2);
}

TEST_F(ComActAutomationTest, ComStartsTheStandinWithTheTableItOpenedLast) {
  {
    // A stand-in run leaves its registration and its table behind.
    StandinProcess act({L"--hidden", kFixture});
    ASSERT_TRUE(act.waitUntilServing());
  }
  const auto actWindow = [] { return FindWindowW(L"act3.0frameclass", nullptr); };
  ASSERT_EQ(actWindow(), nullptr);
  auto application = automation_.CreateObject(kProgId);
  ASSERT_NE(application, nullptr);
  EXPECT_TRUE(win32_test::waitFor([&] { return actWindow() != nullptr; }, 5s));
  EXPECT_EQ(application->GetOpenDBName(), kFixturePath);
  application.reset();
  EXPECT_TRUE(
      win32_test::waitFor([] { return FindWindowW(L"act3.0frameclass", nullptr) == nullptr; }, 5s))
      << "a stand-in that COM started ends with its last client";
}

}  // namespace
}  // namespace startup_com

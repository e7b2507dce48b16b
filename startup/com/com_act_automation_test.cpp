// The COM adapter against the real stand-in ACT! (act-standin.exe) under
// Wine: the adapter's contract, a busy server and a server that COM starts
// itself.
#include "startup/com/com_act_automation.h"

#include <gtest/gtest.h>

#include "tests/win32/standin_process.h"

namespace startup_com {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using win32_test::StandinProcess;

class ComActAutomationTest : public ::testing::Test {
 protected:
  ComActAutomation automation_;
  common::StandinRig rig_ = StandinProcess::rig(&automation_, true);
};

TEST_F(ComActAutomationTest, KeepsTheContract) {
  common::expectActAutomationContract(rig_);
}

// A server busy for longer than ten seconds is given up after ten; one busy
// for a while is waited for (the Windows end-to-end test starts its ACT! busy
// for three seconds).
TEST_F(ComActAutomationTest, ABusyServerIsRetriedForTenSeconds) {
  const auto act = rig_.start({"--busy-ms", "20000", "--log", rig_.log, rig_.table});
  ASSERT_TRUE(act->waitUntilServing());
  const auto start = Clock::now();
  EXPECT_EQ(common::openView(automation_).application, nullptr);
  EXPECT_GE(Clock::now() - start, 9500ms);
  EXPECT_LT(Clock::now() - start, 12s);
  EXPECT_EQ(rig_.logLines().size(), 0u) << "the busy server answered no call";
}

// A server that takes a call and never answers it: the call fails at the
// limit, and every later one at once (the call thread is still waiting).
TEST(ComActAutomationLimit, AnUnansweredCallFailsAtTheLimitAndSoDoesEveryLaterOne) {
  ComActAutomation automation(1500ms);
  common::StandinRig rig = StandinProcess::rig(&automation, true);
  const auto act = rig.start({"--hang-on", "CreateLookup", "--hang-ms", "6000", rig.table});
  ASSERT_TRUE(act->waitUntilServing());
  auto [application, views, view] = common::openView(automation);
  ASSERT_NE(view, nullptr);
  std::string ids = "X1          ";
  auto start = Clock::now();
  EXPECT_EQ(view->CreateLookup(ids), std::nullopt);
  EXPECT_GE(Clock::now() - start, 1400ms);
  EXPECT_LT(Clock::now() - start, 5s);
  start = Clock::now();
  EXPECT_EQ(application->GetOpenDBName(), std::nullopt);
  EXPECT_FALSE(view->LookupAll());
  EXPECT_LT(Clock::now() - start, 500ms);
}

TEST_F(ComActAutomationTest, ComStartsTheStandinWithTheTableItOpenedLast) {
  {
    // A stand-in run leaves its registration and its table behind.
    StandinProcess act({"--hidden", rig_.table});
    ASSERT_TRUE(act.waitUntilServing());
  }
  const auto actWindow = [] { return FindWindowW(L"act3.0frameclass", nullptr) != nullptr; };
  ASSERT_FALSE(actWindow());
  auto application = automation_.CreateObject("ACTOLE.APPOBJECT");
  ASSERT_NE(application, nullptr);
  EXPECT_TRUE(win32_test::waitFor(actWindow, 5s));
  EXPECT_EQ(application->GetOpenDBName(), win32_test::reportedPath(rig_.table));
  application.reset();
  EXPECT_TRUE(win32_test::waitFor([&] { return !actWindow(); }, 5s))
      << "a stand-in that COM started ends with its last client";
}

}  // namespace
}  // namespace startup_com

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

TEST_F(ComActAutomationTest, ABusyServerIsRetriedForTenSeconds) {
  for (const auto& [busyMs, served] : {std::pair{"2000", true}, std::pair{"20000", false}}) {
    const auto act = rig_.start({"--busy-ms", busyMs, "--log", rig_.log, rig_.table});
    ASSERT_TRUE(act->waitUntilServing());
    const auto start = Clock::now();
    auto [application, views, view] = common::openView(automation_);
    const auto waited = Clock::now() - start;
    EXPECT_EQ(view != nullptr, served) << busyMs;
    if (served) {
      EXPECT_LT(waited, 3s);
      std::string ids = common::paddedIds({"X1"});
      EXPECT_EQ(view->CreateLookup(ids), 0);
    } else {
      EXPECT_GE(waited, 9500ms);
      EXPECT_LT(waited, 12s);
    }
  }
  EXPECT_EQ(rig_.logLines().size(), 3u) << "the busy server answered no call";
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

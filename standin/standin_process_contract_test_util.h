#pragma once
// The stand-in ACT! as a process, on every platform: its main window as the
// window finder sees it, a second instance refused, wrong command lines
// refused with a German message. Run by each front's process test with its
// rig (act_automation_contract_test_util.h) and the platform's window list.

#include <gtest/gtest.h>

#include <thread>

#include "common/act_automation_contract_test_util.h"
#include "common/window_list.h"
#include "startup/window_finder.h"
#include "tests/scratch.h"

namespace standin {

inline void expectTheStandinProcessContract(common::StandinRig& rig, common::WindowList& windows) {
  startup::SetWindowList(windows);
  {
    const auto act = rig.start({rig.table});
    ASSERT_TRUE(act->waitUntilServing()) << act->standardError();
    EXPECT_TRUE(test_support::waitFor(
        [] { return startup::FindTopLevelWindow("act3.0frameclass", "ACT! - KONTAKTE") != 0; }));
    const auto second = rig.start({rig.table});
    EXPECT_EQ(second->waitForExit(), 1);
    EXPECT_TRUE(second->standardError().starts_with("act-standin: ")) << second->standardError();
  }
  {
    const auto hidden = rig.start({"--hidden", rig.table});
    ASSERT_TRUE(hidden->waitUntilServing());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // time to show it, had it tried
    EXPECT_EQ(startup::FindTopLevelWindow("act3.0frameclass", "*"), 0u);
  }
  const std::string missing = rig.table.substr(0, rig.table.size() - 12) + "FEHLT.dbf";
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--refuse-views", "x", rig.table},
        {missing},
        {"--log", rig.scratch.file("fehlt/log"), rig.table}}) {
    const auto act = rig.start(arguments);
    EXPECT_EQ(act->waitForExit(), 2) << arguments.size();
    EXPECT_TRUE(act->standardError().starts_with("act-standin: ")) << act->standardError();
  }
}

}  // namespace standin

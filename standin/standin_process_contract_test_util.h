#pragma once
// The stand-in ACT! as a process, on every platform: a second instance and
// wrong command lines refused with a German message. Run by each front's
// process test with its rig (act_automation_contract_test_util.h). (Its main
// window as the window finder sees it, shown or hidden, the end-to-end tests
// check on both platforms.)

#include <gtest/gtest.h>

#include "common/act_automation_contract_test_util.h"

namespace standin {

inline void expectTheStandinProcessContract(common::StandinRig& rig) {
  const auto first = rig.start({"--hidden", rig.table});
  ASSERT_TRUE(first->waitUntilServing()) << first->standardError();
  const auto second = rig.start({"--hidden", rig.table});
  EXPECT_EQ(second->waitForExit(), 1);
  EXPECT_TRUE(second->standardError().starts_with("act-standin: ")) << second->standardError();
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

// The stand-in as a process in a private session: the stand-in's contract.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace standin_qt

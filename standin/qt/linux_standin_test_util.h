#pragma once
// The stand-in ACT! for Linux as a TestStandin (act_automation_contract_test_util.h),
// started in the tests' private session (tests/e2e/session_fixture.h).

#include <QThread>

#include "common/act_automation_contract_test_util.h"
#include "tests/e2e/session_fixture.h"

namespace standin_qt {

class LinuxStandin : public common::TestStandin {
 public:
  LinuxStandin(const std::vector<std::string>& arguments, e2e::StandinProcess::Screen screen)
      : process_(e2e::Session::shared(), qArguments(arguments), screen) {
    for (const std::string& argument : arguments) noApplication_ |= argument == "--no-app";
  }
  bool waitUntilServing() override {
    if (!noApplication_) return process_.waitUntilServing();
    QThread::msleep(300);  // time enough to have taken the bus name, had it tried
    return process_.running();
  }
  int waitForExit() override { return process_.waitForExit(); }
  std::string standardError() override { return process_.standardError().toStdString(); }

  // A rig that starts stand-ins on this screen.
  static common::StandinRig rig(common::ActAutomation* automation,
                                e2e::StandinProcess::Screen screen) {
    return {[screen](const std::vector<std::string>& arguments) {
              return std::make_unique<LinuxStandin>(arguments, screen);
            },
            automation, SPURLIX_TEST_DATA "/sql/KONTAKTE.dbf"};
  }

 private:
  static QStringList qArguments(const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) list << QString::fromStdString(argument);
    return list;
  }
  bool noApplication_ = false;
  e2e::StandinProcess process_;
};

}  // namespace standin_qt

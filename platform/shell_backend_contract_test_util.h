#pragma once
// The contract of ShellBackend (shell_backend.h) as the launcher uses it
// (shell_execute.h), a test body every platform's shell runs: a web address
// reaches the browser, a program runs and is active until it ends, and a
// document that is not there is code 2, all without a word.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/shell_execute.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/scratch.h"

namespace platform {

struct ShellContractRig {
  ShellBackend& shell;
  std::function<std::string()> recordedAddresses;  // what the stand-in browser got, one a line
  std::string waitingProgram, itsParameters;       // a program that ends after a second or so
  std::string missingDocument;                     // in a folder that exists
};

inline void expectShellBackendContract(const ShellContractRig& rig) {
  fakes::FakeMessageBoxes boxes;
  CShellExecute launcher(rig.shell, boxes);
  const std::string address = "https://www.example.com/produkt?seite=1&sprache=de";
  EXPECT_EQ(launcher.LaunchURL(0, address, kShowMaximized), -1);
  EXPECT_TRUE(test_support::waitFor([&] { return rig.recordedAddresses() == address + "\n"; }))
      << rig.recordedAddresses();
  EXPECT_EQ(launcher.LaunchProgram(0, rig.waitingProgram, rig.itsParameters, "", kShowHidden), -1);
  EXPECT_TRUE(launcher.StillExecuting());
  EXPECT_TRUE(test_support::waitFor([&] { return !launcher.StillExecuting(); }));
  EXPECT_EQ(launcher.PrintDocument(0, rig.missingDocument), 2);
  EXPECT_FALSE(launcher.StillExecuting());
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace platform

#include "standin/win32/main_window.h"

#include <gtest/gtest.h>

#include "standin/main_window_contract_test_util.h"

namespace standin_win32 {
namespace {

TEST(MainWindow, FollowsTheContacts) {
  standin::ShownContacts contacts;
  MainWindow window(contacts, {"act3.0frameclass-test", "ACT! - K", false, standin::kContractLinks,
                               nullptr, nullptr});
  ASSERT_NE(window.handle(), nullptr);
  standin::expectMainWindowFollowsTheContacts(
      contacts, {[&] { return window.statusText(); }, [&] { return window.listedRows(); },
                 [&] { return window.webLinkCaptions(); }});
  MainWindow bare(contacts, {"act3.0frameclass-test", "ACT!", false, {}, nullptr, nullptr});
  EXPECT_EQ(bare.webLinkCaptions(), std::vector<std::string>({"(keine Web-Links)"}));
}

}  // namespace
}  // namespace standin_win32

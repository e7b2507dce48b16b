#include "standin/win32/main_window.h"

#include <gtest/gtest.h>

namespace standin_win32 {
namespace {

TEST(MainWindow, ListStatusLineAndWebLinkMenuFollowTheContacts) {
  standin::ShownContacts contacts;
  contacts.setTable(standin::ContactTable("C:\\act\\K.dbf",
                                          {{"Müller", "a", "", "", "1"}, {"B", "b", "", "", "2"}}));
  MainWindow window(contacts, {"act3.0frameclass-test",
                               "ACT! - K",
                               false,
                               {{"ACT! &Forum", "http://f"}, {"Add-ons für ACT!", "http://d"}},
                               nullptr,
                               nullptr});
  ASSERT_NE(window.handle(), nullptr);
  EXPECT_EQ(window.listedRows(), 2);
  EXPECT_EQ(window.statusText(), "2 Kontakte angezeigt – alle Kontakte");
  contacts.showLookup({1});
  EXPECT_EQ(window.listedRows(), 1);
  EXPECT_EQ(window.statusText(), "1 Kontakt angezeigt – Lookup aktiv");
  contacts.showLookup({});
  EXPECT_EQ(window.listedRows(), 0);
  EXPECT_EQ(window.statusText(), "0 Kontakte angezeigt – Lookup aktiv");
  EXPECT_EQ(window.webLinkCaptions(),
            std::vector<std::string>({"ACT! &Forum", "Add-ons für ACT!"}));

  MainWindow bare(contacts, {"act3.0frameclass-test", "ACT!", false, {}, nullptr, nullptr});
  EXPECT_EQ(bare.webLinkCaptions(), std::vector<std::string>({"(keine Web-Links)"}));
}

}  // namespace
}  // namespace standin_win32

#pragma once
// The stand-in's main window on every front: its status line and list follow
// the shown contacts, its "Web-Links" menu holds the links it was given. Each
// front's test makes its window over the contacts and links below and hands
// in how to read it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "standin/net_links.h"
#include "standin/shown_contacts.h"

namespace standin {

struct MainWindowReader {
  std::function<std::string()> statusText;
  std::function<int()> listedRows;
  std::function<std::vector<std::string>()> webLinkCaptions;
};

inline const std::vector<WebLink> kContractLinks = {{"ACT! &Forum", "http://f"},
                                                    {"Add-ons für ACT!", "http://d"}};

inline void expectMainWindowFollowsTheContacts(ShownContacts& contacts,
                                               const MainWindowReader& window) {
  contacts.setTable(ContactTable("K.dbf", {{"Müller", "a", "", "", "1"}, {"B", "b", "", "", "2"}}));
  EXPECT_EQ(window.listedRows(), 2);
  EXPECT_EQ(window.statusText(), "2 Kontakte angezeigt – alle Kontakte");
  contacts.showLookup({1});
  EXPECT_EQ(window.listedRows(), 1);
  EXPECT_EQ(window.statusText(), contacts.statusText());
  contacts.showLookup({});
  EXPECT_EQ(window.listedRows(), 0);
  EXPECT_EQ(window.statusText(), contacts.statusText());
  EXPECT_EQ(window.webLinkCaptions(),
            std::vector<std::string>({"ACT! &Forum", "Add-ons für ACT!"}));
}

}  // namespace standin

// The dialog's handlers other than the search run (search_run_test.cpp).

#include "search/frm_suche_logic.h"

#include <gtest/gtest.h>

#include <string>

#include "search/search_test_util.h"

namespace search {
namespace {

using testing::Journal;

class SearchDialogLogicTest : public testing::SearchLogicTest {};

TEST_F(SearchDialogLogicTest, LoadFillsTheListFromTheHistoryAndCompletesFromIt) {
  settings_.values[{"Spurlix light", "Suchbegriffe", "0"}] = "Meyer";
  logic_.Form_Load();
  ASSERT_EQ(view_.list.size(), 10u);
  EXPECT_EQ(view_.list[0], "Meyer");
  EXPECT_EQ(view_.comboText(), "");

  view_.typeAfresh("Me");
  logic_.cbxSuchbegriffe_KeyUp();
  EXPECT_EQ(view_.comboText(), "Meyer");
  EXPECT_EQ(view_.selectionStart(), 2);
  EXPECT_EQ(view_.selectionLength(), 3);
}

TEST_F(SearchDialogLogicTest, EveryWayOutReleasesTheViewThenTheViewsThenTheApplication) {
  const struct {
    const char* name;
    std::function<void(SearchDialogLogic&)> handler;
  } exits[] = {
      {"Escape", [](SearchDialogLogic& l) { l.Form_KeyDown(kKeyEscape); }},
      {"cancel button", [](SearchDialogLogic& l) { l.cmdAbbruch_Click(); }},
      {"window closed", [](SearchDialogLogic& l) { l.Form_Unload(); }},
      {"ende", [](SearchDialogLogic& l) { l.ende(); }},
  };
  for (const auto& exit : exits) {
    SCOPED_TRACE(exit.name);
    installActFakes();
    journal_.clear();
    const int endsBefore = programEnd_.calls;

    EXPECT_TRUE(ends([&] { exit.handler(logic_); }));

    EXPECT_EQ(journal_, (Journal{"release ActView", "release ActViews", "release ActApp"}));
    EXPECT_EQ(programEnd_.calls, endsBefore + 1);
    EXPECT_EQ(settings_.writes, 0);
  }
}

TEST_F(SearchDialogLogicTest, OnlyEscapeAndEnterAreHandledKeys) {
  view_.typeAfresh("Meyer");
  for (int key : {0, 8, 9, 13, 26, 28, 32, 65, 112}) {
    EXPECT_FALSE(ends([&] { logic_.Form_KeyDown(key); })) << key;
  }
  for (int key : {0, 8, 9, 10, 27, 32, 65}) {
    EXPECT_FALSE(ends([&] { logic_.cbxSuchbegriffe_KeyPress(key); })) << key;
  }
  EXPECT_TRUE(journal_.empty());
  EXPECT_TRUE(globals_.ActApp);

  // Enter in an empty box starts the run: its first step shows, the focus moves.
  view_.typeAfresh("");
  EXPECT_FALSE(ends([&] { logic_.cbxSuchbegriffe_KeyPress(kKeyReturn); }));
  EXPECT_EQ(journal_, (Journal{"status:Suche ...", "focus"}));
}

TEST_F(SearchDialogLogicTest, InformationButtonShowsTheVendorsAddressInFiveLines) {
  logic_.cmdInfo_Click();
  ASSERT_EQ(information_.shownTexts.size(), 1u);
  EXPECT_EQ(information_.shownTexts[0],
            "Hellwig & Sander Datentechnik GmbH\r\nMusterweg 12\r\n12345 Musterstadt\r\n"
            "Email: info@example.com\r\nInternet: https://www.example.com/");
  EXPECT_TRUE(journal_.empty());
}

}  // namespace
}  // namespace search

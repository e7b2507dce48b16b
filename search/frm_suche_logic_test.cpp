// The dialog's handlers other than the search run (search_run_test.cpp).

#include "search/frm_suche_logic.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "search/search_test_util.h"

namespace search {
namespace {

using testing::Journal;

class SearchDialogLogicTest : public testing::SearchLogicTest {};

TEST_F(SearchDialogLogicTest, EveryWayOutReleasesTheViewThenTheViewsThenTheApplication) {
  const std::function<void(SearchDialogLogic&)> exits[] = {
      [](SearchDialogLogic& l) { l.Form_KeyDown(kKeyEscape); },
      [](SearchDialogLogic& l) { l.cmdAbbruch_Click(); },
      [](SearchDialogLogic& l) { l.Form_Unload(); },
      [](SearchDialogLogic& l) { l.ende(); },
  };
  int way = 0;
  for (const auto& exit : exits) {
    SCOPED_TRACE(++way);
    installAct();
    const int endsBefore = programEnd_.calls;
    EXPECT_TRUE(ends([&] { exit(logic_); }));
    EXPECT_EQ(journal_, (Journal{"ReleaseView", "ReleaseViews", "ReleaseApplication"}));
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

  // Enter in an empty box starts the run: its first step shows, the focus moves.
  view_.typeAfresh("");
  EXPECT_FALSE(ends([&] { logic_.cbxSuchbegriffe_KeyPress(kKeyReturn); }));
  EXPECT_EQ(journal_, (Journal{"status:Suche ...", "focus"}));
}

TEST_F(SearchDialogLogicTest, InformationButtonShowsTheVendorsAddress) {
  logic_.cmdInfo_Click();
  EXPECT_EQ(information_.shownTexts, std::vector<std::string>{vendorAddressText()});
  EXPECT_TRUE(journal_.empty());
}

}  // namespace
}  // namespace search

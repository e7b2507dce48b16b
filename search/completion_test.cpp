#include "search/completion.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "search/search_test_util.h"

namespace search {
namespace {

using testing::FakeSearchDialogView;
using List = std::vector<std::string>;

const List kHistory = {"Meyer", "Meier", "müller", "3 Musketiere", "Mühlbauer", "", "", "", "", ""};

// The box's text, and where its selection starts and how long it is.
using Box = std::tuple<std::string, int, int>;

Box boxOf(const FakeSearchDialogView& view) {
  return {view.comboText(), view.selectionStart(), view.selectionLength()};
}

TEST(TermCompletion, CompletesToTheFirstEntryTheTypedPatternStarts) {
  const std::tuple<const char*, List, std::string, Box> cases[] = {
      {"prefix", kHistory, "Me", {"Meyer", 2, 3}},
      {"longer prefix picks a later entry", kHistory, "Mei", {"Meier", 3, 2}},
      {"umlauts count as one character", kHistory, "mü", {"müller", 2, 4}},
      {"letter case counts", kHistory, "MÜ", {"MÜ", 2, 0}},
      {"whole entry typed", kHistory, "Meyer", {"Meyer", 5, 0}},
      {"no entry matches", kHistory, "Zorn", {"Zorn", 4, 0}},
      {"wildcards", kHistory, "#", {"3 Musketiere", 1, 11}},
      {"asterisk looks inside", kHistory, "*bau", {"Mühlbauer", 4, 5}},
      {"wildcard text as long as the entry", kHistory, "M*yer", {"Meyer", 5, 0}},
      // The entry is shorter than the typed text: nothing left to select.
      {"entry shorter than the caret", {"ab"}, "[ab]b", {"ab", 2, 0}},
      {"no valid pattern", kHistory, "Me[", {"Me[", 3, 0}},
      {"all entries empty", List(10), "x", {"x", 1, 0}},
      {"empty list", {}, "Me", {"Me", 2, 0}},
  };
  for (const auto& [name, history, typed, expected] : cases) {
    FakeSearchDialogView view;
    view.list = history;
    view.typeAfresh(typed);
    TermCompletion completion;
    completion.onKeyUp(view);
    EXPECT_EQ(boxOf(view), expected) << name;
  }
}

// Key by key, as the dialog calls it: each key release completes anew.
TEST(TermCompletion, TypingOverwritesTheCompletedRestAndBackspaceRefusesIt) {
  FakeSearchDialogView view;
  view.list = kHistory;
  TermCompletion completion;
  // "\b" Backspace, "" a key that types nothing (Shift)
  const std::pair<const char*, Box> steps[] = {
      {"", {"", 0, 0}},  // an empty box at the start stays empty
      {"M", {"Meyer", 1, 4}}, {"e", {"Meyer", 2, 3}}, {"", {"Meyer", 2, 3}}, {"i", {"Meier", 3, 2}},
      {"\b", {"Mei", 3, 0}},  {"e", {"Meier", 4, 1}},  // the next character completes again
      {"x", {"Meiex", 5, 0}},
  };
  for (const auto& [key, expected] : steps) {
    if (std::string(key) == "\b") {
      view.backspace();
    } else if (*key != '\0') {
      view.type(key);
    }
    completion.onKeyUp(view);
    EXPECT_EQ(boxOf(view), expected) << "after '" << key << "'";
  }
  // Emptied by Backspace over the selection, the box completes to the most recent term.
  view.setSelection(0, 5);
  view.backspace();
  completion.onKeyUp(view);
  EXPECT_EQ(boxOf(view), (Box{"Meyer", 0, 5}));
}

}  // namespace
}  // namespace search

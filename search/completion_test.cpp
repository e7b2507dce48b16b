#include "search/completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/search_test_util.h"

namespace search {
namespace {

using testing::FakeSearchDialogView;
using testing::Journal;
using List = std::vector<std::string>;

const List kMeyerMeierMueller = {"Meyer", "Meier", "müller", "", "", "", "", "", "", ""};

struct Outcome {
  std::string text;
  int selectionStart;
  int selectionLength;
  std::string lastComboText = {};
};

// Types `typed` into an empty box, releases the key, and tells what the box
// shows.
Outcome complete(const List& history, const std::string& typed) {
  Journal journal;
  FakeSearchDialogView view(journal);
  view.list = history;
  view.typeAfresh(typed);
  TermCompletion completion;
  completion.onKeyUp(view);
  return {view.comboText(), view.selectionStart(), view.selectionLength(),
          completion.LastComboText()};
}

TEST(TermCompletion, CompletesToTheFirstMatchingEntry) {
  const List numbered = {"Abel", "3 Musketiere", "12 Affen", "", "", "", "", "", "", ""};
  const List builders = {"Meyer", "Mühlbauer", "Baumann", "", "", "", "", "", "", ""};
  const struct {
    const char* name;
    List history;
    std::string typed;
    Outcome expected;
  } cases[] = {
      {"prefix", kMeyerMeierMueller, "Me", {"Meyer", 2, 3}},
      {"longer prefix picks a later entry", kMeyerMeierMueller, "Mei", {"Meier", 3, 2}},
      {"umlauts count as one character", kMeyerMeierMueller, "mü", {"müller", 2, 4}},
      {"letter case counts", kMeyerMeierMueller, "Mü", {"Mü", 2, 0}},
      {"whole entry typed", kMeyerMeierMueller, "Meyer", {"Meyer", 5, 0}},
      {"no entry matches", kMeyerMeierMueller, "Zorn", {"Zorn", 4, 0}},
      {"question mark is any character", kMeyerMeierMueller, "?ü", {"müller", 2, 4}},
      {"number sign is a digit", numbered, "#", {"3 Musketiere", 1, 11}},
      {"number sign at the second place", numbered, "1#", {"12 Affen", 2, 6}},
      {"number sign does not match a letter", numbered, "A#", {"A#", 2, 0}},
      {"asterisk looks inside", builders, "*bau", {"Mühlbauer", 4, 5}},
      {"list of characters", builders, "[BZ]", {"Baumann", 4, 3}},
      {"negated list", builders, "[!M]", {"Baumann", 4, 3}},
      {"wildcard text as long as the entry", builders, "Ba*mann", {"Baumann", 7, 0}},
      // The entry is shorter than the typed text: nothing left to select.
      {"entry shorter than the caret", {"ab"}, "[ab]b", {"ab", 2, 0}},
      {"all entries empty", List(10), "x", {"x", 1, 0}},
      {"empty list", {}, "Me", {"Me", 2, 0}},
  };
  for (const auto& c : cases) {
    const Outcome got = complete(c.history, c.typed);
    EXPECT_EQ(got.text, c.expected.text) << c.name;
    EXPECT_EQ(got.selectionStart, c.expected.selectionStart) << c.name;
    EXPECT_EQ(got.selectionLength, c.expected.selectionLength) << c.name;
  }
}

TEST(TermCompletion, InvalidPatternsLeaveTheTextAsTyped) {
  for (const char* typed : {"[", "Me[", "[!", "[a-"}) {
    const Outcome got = complete(kMeyerMeierMueller, typed);
    EXPECT_EQ(got.text, typed);
    EXPECT_EQ(got.lastComboText, "") << typed;
  }
}

// Key by key, as the dialog calls it: each key release completes anew.
class CompletionSequence : public ::testing::Test {
 protected:
  void SetUp() override { view_.list = kMeyerMeierMueller; }
  void type(const std::string& characters) {
    view_.type(characters);
    completion_.onKeyUp(view_);
  }
  void backspace() {
    view_.backspace();
    completion_.onKeyUp(view_);
  }
  void expectBox(const std::string& text, int selectionStart, int selectionLength) {
    EXPECT_EQ(view_.comboText(), text);
    EXPECT_EQ(view_.selectionStart(), selectionStart);
    EXPECT_EQ(view_.selectionLength(), selectionLength);
  }

  Journal journal_;
  FakeSearchDialogView view_{journal_};
  TermCompletion completion_;
};

TEST_F(CompletionSequence, TypingOverwritesTheCompletedRestAndBackspaceRefusesIt) {
  completion_.onKeyUp(view_);  // an empty box at the start stays empty
  expectBox("", 0, 0);
  type("M");
  expectBox("Meyer", 1, 4);
  type("e");
  expectBox("Meyer", 2, 3);
  completion_.onKeyUp(view_);  // e.g. the Shift key released: no change
  expectBox("Meyer", 2, 3);
  EXPECT_EQ(completion_.LastComboText(), "Meyer");
  type("i");
  expectBox("Meier", 3, 2);
  backspace();
  expectBox("Mei", 3, 0);
  EXPECT_EQ(completion_.LastComboText(), "Mei");
  type("e");  // the next character completes again
  expectBox("Meier", 4, 1);
  type("x");  // "Meiex" matches nothing
  expectBox("Meiex", 5, 0);
  EXPECT_EQ(completion_.LastComboText(), "Meie");
}

TEST_F(CompletionSequence, EmptiedBoxCompletesToTheMostRecentTerm) {
  type("Me");
  view_.setSelection(0, 5);
  backspace();
  expectBox("Meyer", 0, 5);
}

}  // namespace
}  // namespace search

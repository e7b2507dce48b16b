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
  return {view.comboText(), view.selectionStart(), view.selectionLength()};
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
    Journal journal;
    FakeSearchDialogView view(journal);
    view.list = kMeyerMeierMueller;
    view.typeAfresh(typed);
    TermCompletion completion;
    completion.onKeyUp(view);
    EXPECT_EQ(view.comboText(), typed);
    EXPECT_EQ(completion.LastComboText(), "") << typed;
  }
}

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

  Journal journal_;
  FakeSearchDialogView view_{journal_};
  TermCompletion completion_;
};

TEST_F(CompletionSequence, TypingOnOverwritesTheCompletedRest) {
  type("M");
  EXPECT_EQ(view_.comboText(), "Meyer");
  type("e");
  EXPECT_EQ(view_.comboText(), "Meyer");
  type("i");
  EXPECT_EQ(view_.comboText(), "Meier");
  EXPECT_EQ(view_.selectionStart(), 3);
  EXPECT_EQ(view_.selectionLength(), 2);
}

TEST_F(CompletionSequence, BackspaceAfterACompletionKeepsTheTypedText) {
  type("Me");
  ASSERT_EQ(view_.comboText(), "Meyer");
  backspace();
  EXPECT_EQ(view_.comboText(), "Me");
  EXPECT_EQ(completion_.LastComboText(), "Me");
  type("i");  // the next character completes again
  EXPECT_EQ(view_.comboText(), "Meier");
}

TEST_F(CompletionSequence, ReleasingAKeyWithoutChangeKeepsTheCompletion) {
  type("Me");
  completion_.onKeyUp(view_);  // e.g. the Shift key released
  EXPECT_EQ(view_.comboText(), "Meyer");
  EXPECT_EQ(view_.selectionStart(), 2);
  EXPECT_EQ(view_.selectionLength(), 3);
  EXPECT_EQ(completion_.LastComboText(), "Meyer");
}

TEST_F(CompletionSequence, EmptiedBoxCompletesToTheMostRecentTerm) {
  type("Me");
  view_.setSelection(0, 5);
  backspace();
  EXPECT_EQ(view_.comboText(), "Meyer");
  EXPECT_EQ(view_.selectionStart(), 0);
  EXPECT_EQ(view_.selectionLength(), 5);
}

TEST_F(CompletionSequence, EmptyBoxAtTheStartStaysEmpty) {
  completion_.onKeyUp(view_);
  EXPECT_EQ(view_.comboText(), "");
}

TEST_F(CompletionSequence, AFailedMatchKeepsTheLastComboText) {
  type("Me");
  type("x");  // "Mex" matches nothing
  EXPECT_EQ(view_.comboText(), "Mex");
  EXPECT_EQ(completion_.LastComboText(), "Me");
}

}  // namespace
}  // namespace search

#pragma once
// Completion of the typed term from the history, run on every key release in
// the term box.
//
// The typed text T, followed by "*", is a wildcard pattern (common/wildcard.h:
// `?`, `*`, `#`, `[list]`, case-sensitive, by code point). The first list
// entry that matches it replaces the box's text; the caret position P is kept
// and the completed rest, from P to the end, is selected, so typing on
// overwrites it. When T equals the text as it stood before the last
// completion, nothing happens: that is how Backspace or Delete after a
// completion refuses the suggestion.
//
// A text that is no valid pattern (a `[` without its `]`) completes to
// nothing and stays as typed. No entry matching: the text stays as typed.

#include <string>

#include "search/search_dialog_view.h"

namespace search {

class TermCompletion {
 public:
  // Completes the box's text from its list as described above.
  void onKeyUp(SearchDialogView& view);

  // The box's text just before the last completion; empty at first.
  const std::string& LastComboText() const { return LastComboText_; }

 private:
  std::string LastComboText_;
};

}  // namespace search

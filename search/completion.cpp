#include "search/completion.h"

#include <algorithm>
#include <optional>

#include "common/utf8.h"
#include "common/wildcard.h"

namespace search {

void TermCompletion::onKeyUp(SearchDialogView& view) {
  const std::string typed = view.comboText();
  if (typed == LastComboText_) return;

  const std::optional<common::WildcardPattern> pattern =
      common::WildcardPattern::compile(common::utf8ToUtf32(typed) + U"*");
  if (!pattern) return;

  for (int index = 0; index < view.listCount(); ++index) {
    const std::string entry = view.listItem(index);
    if (!pattern->matches(common::utf8ToUtf32(entry))) continue;

    const int caret = view.selectionStart();
    LastComboText_ = typed;
    view.setComboText(entry);
    // A typed wildcard can make the entry shorter than the typed text; the
    // caret then stands at the entry's end and nothing is selected.
    const int entryLength = static_cast<int>(common::utf8Length(entry));
    const int start = std::clamp(caret, 0, entryLength);
    view.setSelection(start, entryLength - start);
    return;
  }
}

}  // namespace search

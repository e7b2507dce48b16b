#pragma once
// The search-term history: the last ten terms, most recent first, kept in the
// settings store (application "Spurlix light", section "Suchbegriffe", keys
// "0" to "9", "0" the most recent) and shown as the term box's drop-down list.
// The stored keys and the list agree after loading and after each save.

#include "common/settings_store.h"
#include "search/search_dialog_view.h"

namespace search {

inline constexpr const char* kSettingsApplication = "Spurlix light";
inline constexpr const char* kHistorySection = "Suchbegriffe";
inline constexpr int kHistorySize = 10;

// Appends the ten stored terms to the term box's list in key order, empty
// ones included (an absent key reads as the empty text). Called once, when
// the dialog loads.
void LoadSearchHistory(SearchDialogView& view, const common::SettingsStore& settings);

// Puts the term box's text s on top of the history and stores all ten keys:
//   - s is used as it is, blanks included; a text of blanks only is not
//     recorded and nothing is written;
//   - when s is in the list (exact comparison), it moves to the top, every
//     other copy of it is dropped and the rest keep their order, the freed
//     slots at the end becoming empty;
//   - otherwise the list shifts down by one and the oldest term falls out.
// The list items and the keys "0".."9" then hold the new order, and the box's
// text is s. A write the store refuses is not reported: there is nothing the
// user could do about it at the moment the program ends.
void SaveSearchHistory(SearchDialogView& view, common::SettingsStore& settings);

}  // namespace search

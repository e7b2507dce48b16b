#include "search/search_history.h"

#include <array>
#include <string>

namespace search {
namespace {

std::string keyOf(int slot) {
  return std::to_string(slot);
}

bool isBlankOnly(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

// List item `index`; the empty text where the list is shorter than the
// history (only when the load step has not filled it).
std::string itemOrEmpty(const SearchDialogView& view, int index) {
  return index < view.listCount() ? view.listItem(index) : std::string();
}

}  // namespace

void LoadSearchHistory(SearchDialogView& view, const common::SettingsStore& settings) {
  for (int slot = 0; slot < kHistorySize; ++slot) {
    view.addListItem(settings.read(kSettingsApplication, kHistorySection, keyOf(slot), ""));
  }
}

void SaveSearchHistory(SearchDialogView& view, common::SettingsStore& settings) {
  const std::string s = view.comboText();
  if (isBlankOnly(s)) return;

  std::array<std::string, kHistorySize> items;
  bool found = false;
  for (int k = 0; k < kHistorySize; ++k) {
    items[static_cast<std::size_t>(k)] = itemOrEmpty(view, k);
    if (items[static_cast<std::size_t>(k)] == s) found = true;
  }

  std::array<std::string, kHistorySize> slots;
  slots[0] = s;
  if (found) {
    std::size_t next = 1;
    for (const std::string& item : items) {
      if (item != s) slots[next++] = item;  // at least one item equals s, so next stays < 10
    }
  } else {
    for (std::size_t k = kHistorySize - 1; k >= 1; --k) slots[k] = items[k - 1];
  }

  for (int k = 0; k < kHistorySize; ++k) {
    const std::string& slot = slots[static_cast<std::size_t>(k)];
    if (k < view.listCount()) {
      view.setListItem(k, slot);
    } else {
      view.addListItem(slot);
    }
    settings.write(kSettingsApplication, kHistorySection, keyOf(k), slot);
  }
  view.setComboText(s);
}

}  // namespace search

#include "search/search_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/search_test_util.h"
#include "tests/fakes/fake_settings_store.h"

namespace search {
namespace {

using testing::FakeSearchDialogView;
using testing::Journal;
using List = std::vector<std::string>;

// The ten list items, the given ones first, the rest empty.
List tenItems(List items) {
  items.resize(kHistorySize);
  return items;
}

List storedKeys(const fakes::FakeSettingsStore& settings) {
  List keys;
  for (int k = 0; k < kHistorySize; ++k) {
    keys.push_back(settings.read("Spurlix light", "Suchbegriffe", std::to_string(k), "<absent>"));
  }
  return keys;
}

TEST(LoadSearchHistory, AppendsAllTenKeysInOrderEmptyOnesIncluded) {
  Journal journal;
  FakeSearchDialogView view(journal), emptyStoreView(journal);
  fakes::FakeSettingsStore settings, emptyStore;
  settings.values[{"Spurlix light", "Suchbegriffe", "0"}] = "Meyer";
  settings.values[{"Spurlix light", "Suchbegriffe", "3"}] = " Abel ";
  settings.values[{"Spurlix light", "Suchbegriffe", "9"}] = "Zorn";
  settings.values[{"Spurlix light", "Andere", "1"}] = "nicht hier";

  LoadSearchHistory(view, settings);
  LoadSearchHistory(emptyStoreView, emptyStore);

  EXPECT_EQ(view.list, (List{"Meyer", "", "", " Abel ", "", "", "", "", "", "Zorn"}));
  EXPECT_EQ(settings.writes, 0);
  EXPECT_EQ(emptyStoreView.list, List(10));
}

TEST(SaveSearchHistory, PutsTheTermOnTopAndWritesAllTenKeys) {
  const List full = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"};
  const List abel = tenItems({"Abel"});
  const struct {
    const char* name;
    List before;
    std::string term;
    List after;
    int writes = 10;
  } cases[] = {
      {"found term moves up", tenItems({"Abel", "Meyer", "Zorn"}), "Meyer",
       tenItems({"Meyer", "Abel", "Zorn"})},
      {"new term shifts the list down, the oldest falls out",
       full,
       "Neu",
       {"Neu", "A", "B", "C", "D", "E", "F", "G", "H", "I"}},
      {"found term in a full list", full, "J", {"J", "A", "B", "C", "D", "E", "F", "G", "H", "I"}},
      {"term already on top", full, "A", full},
      {"letter case counts", tenItems({"Meyer"}), "meyer", tenItems({"meyer", "Meyer"})},
      {"a leading blank is kept", abel, " Abel", tenItems({" Abel", "Abel"})},
      {"every copy of a found term is dropped", tenItems({"X", "A", "X", "B", "X"}), "X",
       tenItems({"X", "A", "B"})},
      {"empty store", List(10), "Meyer", tenItems({"Meyer"})},
      {"a list the load step never filled", {}, "Meyer", tenItems({"Meyer"})},
      {"empty term", abel, "", abel, 0},
      {"term of one blank", abel, " ", abel, 0},
      {"term of blanks", abel, "    ", abel, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Journal journal;
    FakeSearchDialogView view(journal);
    view.list = c.before;
    view.typeAfresh(c.term);
    fakes::FakeSettingsStore settings;

    SaveSearchHistory(view, settings);

    EXPECT_EQ(view.list, c.after);
    EXPECT_EQ(settings.writes, c.writes);
    if (c.writes != 0) {
      EXPECT_EQ(storedKeys(settings), c.after);
    }
    EXPECT_EQ(view.comboText(), c.term);
  }
}

TEST(SaveSearchHistory, WhatIsSavedLoadsBackInTheSameOrder) {
  Journal journal;
  fakes::FakeSettingsStore settings;
  FakeSearchDialogView first(journal), next(journal);
  LoadSearchHistory(first, settings);
  for (const char* term : {"Zorn", "Abel", "Zorn", "Meyer"}) {
    first.typeAfresh(term);
    SaveSearchHistory(first, settings);
  }
  EXPECT_EQ(first.list, tenItems({"Meyer", "Zorn", "Abel"}));
  LoadSearchHistory(next, settings);
  EXPECT_EQ(next.list, tenItems({"Meyer", "Zorn", "Abel"}));
}

}  // namespace
}  // namespace search

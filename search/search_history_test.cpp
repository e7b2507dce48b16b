#include "search/search_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/search_test_util.h"

namespace search {
namespace {

using testing::FakeSearchDialogView;
using List = std::vector<std::string>;

// The ten list items, the given ones first, the rest empty.
List tenItems(List items) {
  items.resize(kHistorySize);
  return items;
}

TEST(LoadSearchHistory, AppendsAllTenKeysInOrderEmptyOnesIncluded) {
  FakeSearchDialogView view;
  fakes::FakeSettingsStore settings;
  settings.values[{"Spurlix light", "Suchbegriffe", "0"}] = "Meyer";
  settings.values[{"Spurlix light", "Suchbegriffe", "3"}] = " Abel ";
  settings.values[{"Spurlix light", "Suchbegriffe", "9"}] = "Zorn";
  settings.values[{"Spurlix light", "Andere", "1"}] = "nicht hier";
  LoadSearchHistory(view, settings);
  EXPECT_EQ(view.list, (List{"Meyer", "", "", " Abel ", "", "", "", "", "", "Zorn"}));
  EXPECT_EQ(settings.writes, 0);
}

TEST(SaveSearchHistory, PutsTheTermOnTopAndWritesAllTenKeys) {
  const List full = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"};
  const List abel = tenItems({"Abel"});
  // == before: nothing written
  const std::tuple<const char*, List, std::string, List> cases[] = {
      {"found term moves up", tenItems({"Abel", "Meyer", "Zorn"}), "Meyer",
       tenItems({"Meyer", "Abel", "Zorn"})},
      {"new term, the oldest falls out",
       full,
       "Neu",
       {"Neu", "A", "B", "C", "D", "E", "F", "G", "H", "I"}},
      {"found term in a full list", full, "J", {"J", "A", "B", "C", "D", "E", "F", "G", "H", "I"}},
      {"letter case counts", tenItems({"Meyer"}), "meyer", tenItems({"meyer", "Meyer"})},
      {"a leading blank is kept", abel, " Abel", tenItems({" Abel", "Abel"})},
      {"every copy of a found term is dropped", tenItems({"X", "A", "X", "B", "X"}), "X",
       tenItems({"X", "A", "B"})},
      {"a list the load step never filled", {}, "Meyer", tenItems({"Meyer"})},
      {"empty term", abel, "", abel},
      {"term of blanks", abel, "  ", abel},
  };
  for (const auto& [name, before, term, after] : cases) {
    SCOPED_TRACE(name);
    FakeSearchDialogView view;
    view.list = before;
    view.typeAfresh(term);
    fakes::FakeSettingsStore settings;

    SaveSearchHistory(view, settings);

    EXPECT_EQ(view.list, after);
    EXPECT_EQ(view.comboText(), term);
    EXPECT_EQ(settings.writes, after == before ? 0 : kHistorySize);
    for (int k = 0; k < kHistorySize && after != before; ++k) {
      EXPECT_EQ(settings.read("Spurlix light", "Suchbegriffe", std::to_string(k), "-"),
                after[static_cast<std::size_t>(k)]);
    }
  }
}

}  // namespace
}  // namespace search

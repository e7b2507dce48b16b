#include "standin/options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace standin {
namespace {

using Arguments = std::vector<std::string>;

ParsedOptions parse(Arguments arguments, Front front = Front::kQt) {
  arguments.insert(arguments.begin(), "act-standin");
  return parseOptions(arguments, front);
}

TEST(Options, DefaultsAndEverySwitch) {
  ParsedOptions plain = parse({"KONTAKTE.dbf"});
  ASSERT_TRUE(plain.options);
  EXPECT_EQ(plain.options->contactTable, "KONTAKTE.dbf");
  EXPECT_FALSE(plain.options->title || plain.options->windowClass || plain.options->logFile ||
               plain.options->netLinksFolder || plain.options->misbehaviour.lookupResult ||
               plain.options->hidden || plain.options->noApplication ||
               plain.options->misbehaviour.noViews || plain.options->misbehaviour.quitOnLookup ||
               plain.options->embedding || plain.options->unregister ||
               plain.options->misbehaviour.refuseViews != 0 || plain.options->busyMs != 0);

  Arguments every;
  std::istringstream words(
      "--title Kundenmanager --class=andere --hidden --no-app --no-views --refuse-views 3 "
      "--lookup-result -7 --quit-on-lookup --log /tmp/l --netlinks /tmp/n --busy-ms 2000 "
      "--unregister /Embedding /act/K.dbf");
  for (std::string word; words >> word;) every.push_back(word);
  ParsedOptions all = parse(every, Front::kWin32);
  ASSERT_TRUE(all.options) << all.error;
  const Options& o = *all.options;
  EXPECT_EQ(o.contactTable, "/act/K.dbf");
  EXPECT_EQ(o.title, "Kundenmanager");
  EXPECT_EQ(o.windowClass, "andere");
  EXPECT_TRUE(o.hidden && o.noApplication && o.misbehaviour.noViews && o.misbehaviour.quitOnLookup);
  EXPECT_EQ(o.misbehaviour.refuseViews, 3);
  EXPECT_EQ(o.misbehaviour.lookupResult, -7);
  EXPECT_EQ(o.logFile, "/tmp/l");
  EXPECT_EQ(o.netLinksFolder, "/tmp/n");
  EXPECT_EQ(o.busyMs, 2000);
  EXPECT_TRUE(o.unregister && o.embedding);

  // What COM passes to a server it starts; the table may be left out there.
  for (const char* embedding : {"-Embedding", "/embedding", "-AUTOMATION"}) {
    ParsedOptions started = parse({embedding}, Front::kWin32);
    ASSERT_TRUE(started.options) << embedding;
    EXPECT_TRUE(started.options->embedding);
    EXPECT_EQ(started.options->contactTable, "");
  }
}

TEST(Options, WrongCommandLinesAreRefused) {
  const Arguments cases[] = {
      {},
      {"a.dbf", "b.dbf"},
      {"--refuse-views", "-1", "a.dbf"},
      {"--refuse-views", "viele", "a.dbf"},
      {"--lookup-result", "1.5", "a.dbf"},
      {"--lookup-result", "99999999999", "a.dbf"},
      {"--class", "", "a.dbf"},
      {"--log", "a.dbf"},
      {"--unbekannt", "a.dbf"},
      {"--hidden=ja", "a.dbf"},
      {"--busy-ms", "100", "a.dbf"},  // Windows only
      {"-Embedding", "a.dbf"},        // Windows only
  };
  for (const Arguments& arguments : cases) {
    const ParsedOptions parsed = parse(arguments);
    EXPECT_FALSE(parsed.options) << testing::PrintToString(arguments);
    EXPECT_FALSE(parsed.error.empty()) << testing::PrintToString(arguments);
  }
  EXPECT_FALSE(parse({"--busy-ms", "bald"}, Front::kWin32).options);
}

}  // namespace
}  // namespace standin

#include "standin/options.h"

#include <gtest/gtest.h>

namespace standin {
namespace {

ParsedOptions parse(QStringList arguments) {
  arguments.prepend("act-standin");
  return parseOptions(arguments);
}

TEST(Options, DefaultsAndEverySwitch) {
  ParsedOptions plain = parse({"KONTAKTE.dbf"});
  ASSERT_TRUE(plain.options);
  EXPECT_EQ(plain.options->contactTable, "KONTAKTE.dbf");
  EXPECT_FALSE(plain.options->title || plain.options->windowClass || plain.options->logFile ||
               plain.options->netLinksFolder || plain.options->misbehaviour.lookupResult ||
               plain.options->hidden || plain.options->noApplication ||
               plain.options->misbehaviour.noViews || plain.options->misbehaviour.quitOnLookup ||
               plain.options->misbehaviour.refuseViews != 0);

  ParsedOptions all =
      parse({"--title", "Kundenmanager", "--class", "andere", "--hidden", "--no-app", "--no-views",
             "--refuse-views", "3", "--lookup-result", "-7", "--quit-on-lookup", "--log", "/tmp/l",
             "--netlinks", "/tmp/n", "/act/K.dbf"});
  ASSERT_TRUE(all.options) << all.error.toStdString();
  const Options& o = *all.options;
  EXPECT_EQ(o.contactTable, "/act/K.dbf");
  EXPECT_EQ(o.title, "Kundenmanager");
  EXPECT_EQ(o.windowClass, "andere");
  EXPECT_TRUE(o.hidden && o.noApplication && o.misbehaviour.noViews && o.misbehaviour.quitOnLookup);
  EXPECT_EQ(o.misbehaviour.refuseViews, 3);
  EXPECT_EQ(o.misbehaviour.lookupResult, -7);
  EXPECT_EQ(o.logFile, "/tmp/l");
  EXPECT_EQ(o.netLinksFolder, "/tmp/n");
}

TEST(Options, WrongCommandLinesAreRefused) {
  const QStringList cases[] = {
      {},
      {"a.dbf", "b.dbf"},
      {"--refuse-views", "-1", "a.dbf"},
      {"--refuse-views", "viele", "a.dbf"},
      {"--lookup-result", "1.5", "a.dbf"},
      {"--lookup-result", "99999999999", "a.dbf"},
      {"--class", "", "a.dbf"},
      {"--log", "a.dbf"},
      {"--unbekannt", "a.dbf"},
  };
  for (const QStringList& arguments : cases) {
    const ParsedOptions parsed = parse(arguments);
    EXPECT_FALSE(parsed.options) << arguments.join(' ').toStdString();
    EXPECT_FALSE(parsed.error.isEmpty()) << arguments.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace standin

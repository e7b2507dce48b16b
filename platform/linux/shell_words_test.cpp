#include "platform/linux/shell_words.h"

#include <gtest/gtest.h>

#include <map>

namespace platform_linux {
namespace {

using Words = std::vector<std::string>;

TEST(SplitShellWords, SplitsAsTheShellWould) {
  const struct {
    const char* text;
    Words words;
  } table[] = {
      {"", {}},
      {"  a  b\tc\n", {"a", "b", "c"}},
      {"\"a b\" c", {"a b", "c"}},
      {"\"\"", {""}},
      {"'' x", {"", "x"}},
      {"a\"b c\"'d e'f", {"ab cd ef"}},
      {"a\\ b", {"a b"}},
      {"'a\\b'", {"a\\b"}},                          // no escapes inside single quotes
      {"\"a\\\"b\\\\c\\$d\\x\"", {"a\"b\\c$d\\x"}},  // only $ ` " \ escape in double quotes
      {"a\\\nb", {"ab"}},                            // line continuation
      {"--name=\"Müller & Söhne\"", {"--name=Müller & Söhne"}},
      // Malformed text still gives arguments.
      {"'unterminated rest", {"unterminated rest"}},
      {"a \"open \\\" end", {"a", "open \" end"}},
      {"trailing\\", {"trailing\\"}},
      {"'", {""}},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(splitShellWords(row.text), row.words);
  }
}

TEST(ExpandEnvironment, ReplacesAllThreeFormsAndLeavesUnknownNamesAlone) {
  const std::map<std::string, std::string> env = {
      {"HOME", "/home/anna"}, {"USERPROFILE", "C:\\Users\\anna"}, {"EMPTY", ""}, {"A_1", "x"}};
  EnvironmentLookup lookup = [&](const std::string& name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  };
  const std::pair<const char*, const char*> table[] = {
      {"$HOME/Dokumente", "/home/anna/Dokumente"},
      {"$HOMEx", "$HOMEx"},  // the longest name is taken, and it is unset
      {"%USERPROFILE%\\Desktop", "C:\\Users\\anna\\Desktop"},
      {"%home%", "%home%"},  // names are case-sensitive here
      {"$UNSET/a ${UNSET} %UNSET%", "$UNSET/a ${UNSET} %UNSET%"},
      {"[$EMPTY]", "[]"},
      {"$A_1$A_1", "xx"},
      {"100% sicher", "100% sicher"},
      {"$", "$"},
      {"${}", "${}"},
      {"${1A}", "${1A}"},
      {"a%HOME", "a%HOME"},
  };
  for (const auto& [text, expanded] : table) {
    SCOPED_TRACE(text);
    EXPECT_EQ(expandEnvironment(text, lookup), expanded);
  }
}

}  // namespace
}  // namespace platform_linux

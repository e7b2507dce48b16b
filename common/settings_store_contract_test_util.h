#pragma once
// The contract of SettingsStore (settings_store.h) as one test body that every
// platform's store runs: texts come back as written, other keys, sections and
// applications stay, section and key names ignore letter case, and what is
// missing reads as the fallback. It keeps to sections named `section...`, so
// stores that share one place (a Wine prefix's registry) keep tests apart.

#include <gtest/gtest.h>

#include <string>

#include "common/settings_store.h"

namespace common {

inline void expectSettingsStoreContract(SettingsStore& store, const std::string& section) {
  const char* const app = "Spurlix light";
  const char* const texts[] = {"Krümmüller", " Blanks außen ",     "",
                               "€ und Ω 😀",  "Tab\tund\r\nZeilen", "[a]=b; #c \\d"};
  ASSERT_TRUE(store.write(app, section, "0", "überschrieben"));
  for (int k = 0; k < 6; ++k) ASSERT_TRUE(store.write(app, section, std::to_string(k), texts[k]));
  ASSERT_TRUE(store.write(app, section + " Debug", texts[5], "Debug"));
  ASSERT_TRUE(store.write("Spurlix andere", section, "0", "fremd"));
  for (int k = 0; k < 6; ++k) EXPECT_EQ(store.read(app, section, std::to_string(k), "-"), texts[k]);
  EXPECT_EQ(store.read(app, section + " DEBUG", "[A]=B; #C \\D", "-"), "Debug");
  EXPECT_EQ(store.read("Spurlix andere", section, "0", "-"), "fremd");
  for (const auto& [application, where, key] : {std::tuple{app, section, "6"},
                                                {app, section + " Nichts", "0"},
                                                {"Spurlix fehlt", section, "0"},
                                                {"", section, "0"}}) {
    EXPECT_EQ(store.read(application, where, key, "-"), "-")
        << application << "/" << where << "/" << key;
  }
  EXPECT_FALSE(store.write("", section, "0", "x")) << "no application, no place";
}

}  // namespace common

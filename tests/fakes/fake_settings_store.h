#pragma once
// Settings kept in a map; counts writes.

#include <map>
#include <string>
#include <tuple>

#include "common/settings_store.h"

namespace fakes {

class FakeSettingsStore : public common::SettingsStore {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;

  std::string read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view fallback) const override {
    auto it = values.find(Key(application, section, key));
    return it == values.end() ? std::string(fallback) : it->second;
  }
  bool write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override {
    ++writes;
    values[Key(application, section, key)] = std::string(value);
    return true;
  }

  std::map<Key, std::string> values;
  int writes = 0;
};

}  // namespace fakes

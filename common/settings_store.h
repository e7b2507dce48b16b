#pragma once
// The per-user settings store: application / section / key, each key one text.

#include <string>
#include <string_view>

namespace common {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or `fallback` when the key (or the whole store) is absent
  // or unreadable. Reading never changes what is stored. Never throws.
  virtual std::string read(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view fallback) const = 0;
  // Stores the text exactly as given. Returns false when it could not be stored;
  // the earlier contents are then kept unchanged. Never throws.
  virtual bool write(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value) = 0;
};

}  // namespace common

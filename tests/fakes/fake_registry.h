#pragma once
// A registry with one key (handle 77) whose every value name finds the one
// value set here; switches make each call fail or throw. Remembers what it
// was asked ("ROOT PATH ACCESS NAME") and counts closes and open keys.

#include <algorithm>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry_backend.h"

namespace fakes {

class FakeRegistry : public platform::RegistryBackend {
 public:
  platform::RegistryOpenResult openKey(platform::RegistryRootKey root, std::string_view keyPath,
                                       std::uint32_t access) override {
    asked = std::to_string(root) + " " + std::string(keyPath) + " " + std::to_string(access);
    if (throwOnOpen) throw std::runtime_error("kaputt");
    if (openStatus != platform::kRegistrySuccess) return {openStatus, 0};
    ++openHandles;
    return {platform::kRegistrySuccess, 77};
  }
  platform::RegistryQueryResult queryValueInfo(platform::RegistryKeyHandle,
                                               std::string_view name) override {
    asked += " " + std::string(name);
    if (infoStatus != platform::kRegistrySuccess) return {infoStatus, 0, 0};
    return {platform::kRegistrySuccess, type, reportedSize.value_or(size())};
  }
  platform::RegistryQueryResult queryValueData(platform::RegistryKeyHandle, std::string_view,
                                               std::span<std::uint8_t> buffer) override {
    if (throwOnData) throw std::bad_alloc();
    if (dataStatus != platform::kRegistrySuccess) return {dataStatus, 0, 0};
    if (data.size() > buffer.size()) return {platform::kRegistryMoreData, type, size()};
    std::copy(data.begin(), data.end(), buffer.begin());
    return {platform::kRegistrySuccess, type, size()};
  }
  platform::RegistryStatus closeKey(platform::RegistryKeyHandle key) override {
    if (key != 77) return platform::kRegistryInvalidHandle;
    --openHandles;
    ++closes;
    if (throwOnClose) throw std::runtime_error("Schließen ging schief");
    return platform::kRegistrySuccess;
  }

  // A REG_SZ value of this text (UTF-8) and its NUL.
  void setText(std::string_view text) {
    type = platform::kRegSz;
    data.assign(text.begin(), text.end());
    data.push_back(0);
  }

  std::uint32_t type = platform::kRegSz;
  std::vector<std::uint8_t> data;
  platform::RegistryStatus openStatus = platform::kRegistrySuccess,
                           infoStatus = platform::kRegistrySuccess,
                           dataStatus = platform::kRegistrySuccess;
  std::optional<std::uint32_t> reportedSize;  // a size the value's type query reports instead
  bool throwOnOpen = false, throwOnData = false, throwOnClose = false;
  int closes = 0, openHandles = 0;
  std::string asked;

 private:
  std::uint32_t size() const { return static_cast<std::uint32_t>(data.size()); }
};

}  // namespace fakes

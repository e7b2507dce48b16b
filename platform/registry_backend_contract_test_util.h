#pragma once
// The contract of RegistryBackend (registry_backend.h) as one test body that
// every platform's backend runs, over the values of contractValues() below:
// what `reg add` stored under HKEY_CURRENT_USER (as
// tests/data/registry/make_wine_fixtures.sh does for the Linux backend's file).

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/registry_backend.h"

namespace platform {

// A value as a backend hands it out: string types in UTF-8 with their NUL.
struct HandedOutValue {
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
  bool operator==(const HandedOutValue&) const = default;
};

inline HandedOutValue handedOutText(std::uint32_t type, std::string_view utf8) {
  HandedOutValue value{type, {utf8.begin(), utf8.end()}};
  value.data.push_back(0);
  return value;
}

struct ContractValue {
  const char *key, *name, *regType, *regData;  // as `reg add` takes them; name "": the default
  HandedOutValue expected;
};

inline std::vector<ContractValue> contractValues() {
  const char* const key = "Software\\SpurlixTest\\MixedCase Key";
  const auto text = [](const char* k, const char* name, const char* data) {
    return ContractValue{k, name, "REG_SZ", data, handedOutText(kRegSz, data)};
  };
  const HandedOutValue quad{kRegQword, {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}};
  return {
      text(key, "Umlauts", "Grüße aus Köln, Straße 5 € ¼"),
      text(key, "NotInCodePage", "Ωmega ✓"),
      text(key, "", "Standardwert"),
      text(key, "Empty", ""),
      text("Software\\SpurlixTest\\Łódź Ωμεγα", "Ссылки", "C:\\Users\\Łukasz\\ACT\\Links"),
      {key, "Multi", "REG_MULTI_SZ", "eins\\0zwei\\0drei",
       handedOutText(kRegMultiSz, std::string_view("eins\0zwei\0drei\0", 15))},
      {key, "Expand", "REG_EXPAND_SZ", "%USERPROFILE%\\Links",
       handedOutText(kRegExpandSz, "%USERPROFILE%\\Links")},
      {key, "Bytes", "REG_BINARY", "0102abff00", {kRegBinary, {1, 2, 0xab, 0xff, 0}}},
      {key, "NoBytes", "REG_BINARY", "", {kRegBinary, {}}},
      {key, "AllOnes", "REG_DWORD", "0xffffffff", {kRegDword, {0xff, 0xff, 0xff, 0xff}}},
      {key, "Quad", "REG_QWORD", "0x1122334455667788", quad},
  };
}

// The value as `registry` hands it out; nullopt when the key or value is missing.
inline std::optional<HandedOutValue> queryValue(RegistryBackend& registry, std::string_view key,
                                                std::string_view name) {
  const RegistryOpenResult opened = registry.openKey(kHkeyCurrentUser, key, kKeyRead);
  if (opened.status != kRegistrySuccess) return std::nullopt;
  std::optional<HandedOutValue> result;
  const RegistryQueryResult info = registry.queryValueInfo(opened.key, name);
  if (info.status == kRegistrySuccess) {
    std::vector<std::uint8_t> data(info.size);
    const RegistryQueryResult read = registry.queryValueData(opened.key, name, data);
    EXPECT_EQ(read.status, kRegistrySuccess);
    EXPECT_EQ(read.size, info.size);
    result = HandedOutValue{read.type, data};
  }
  EXPECT_EQ(registry.closeKey(opened.key), kRegistrySuccess);
  return result;
}

// Every value, with key paths and names in other letter cases; the statuses
// as Windows reports them.
inline void expectRegistryBackendContract(RegistryBackend& registry) {
  for (const ContractValue& v : contractValues()) {
    EXPECT_EQ(queryValue(registry, v.key, v.name), v.expected) << v.name;
  }
  EXPECT_EQ(queryValue(registry, "SOFTWARE\\spurlixtest\\mixedcase key", "UMLAUTS"),
            contractValues()[0].expected);
  EXPECT_EQ(queryValue(registry, contractValues()[0].key, "Fehlt"), std::nullopt);
  EXPECT_EQ(registry.openKey(kHkeyCurrentUser, "Software\\SpurlixTest\\Fehlt", kKeyRead).status,
            kRegistryNotFound);

  const RegistryOpenResult opened =
      registry.openKey(kHkeyCurrentUser, contractValues()[0].key, kKeyRead);
  ASSERT_EQ(opened.status, kRegistrySuccess);
  EXPECT_EQ(registry.queryValueInfo(opened.key, "Fehlt").status, kRegistryNotFound);
  std::vector<std::uint8_t> small(3);  // too small: the size needed, nothing copied
  const RegistryQueryResult tooSmall = registry.queryValueData(opened.key, "Umlauts", small);
  EXPECT_EQ(std::tuple(tooSmall.status, tooSmall.type, tooSmall.size),
            std::tuple(kRegistryMoreData, kRegSz, 36u));
  EXPECT_EQ(small, std::vector<std::uint8_t>(3, 0));
  EXPECT_EQ(registry.closeKey(opened.key), kRegistrySuccess);
  EXPECT_EQ(registry.closeKey(opened.key), kRegistryInvalidHandle);
  EXPECT_EQ(registry.queryValueInfo(opened.key, "Umlauts").status, kRegistryInvalidHandle);
}

}  // namespace platform

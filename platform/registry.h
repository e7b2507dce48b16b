#pragma once
// The registry reader: reads one value of the platform's registry and turns it
// into the program's tagged value.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/message_boxes.h"
#include "platform/registry_backend.h"

namespace platform {

// A value that is empty (std::monostate), a 32-bit signed integer, a text
// (UTF-8) or a byte array.
using TaggedValue =
    std::variant<std::monostate, std::int32_t, std::string, std::vector<std::uint8_t>>;

inline bool isEmpty(const TaggedValue& value) {
  return std::holds_alternative<std::monostate>(value);
}

// Reads the value `valueName` (empty: the default value) of the key `keyPath`
// below `root`. Key path, value name and the text read are UTF-8.
//
// Result by the value's type: REG_SZ gives its text up to the first NUL (a
// zero-length value gives the empty text); REG_BINARY gives its bytes
// (possibly none); REG_DWORD gives the integer, signed. Every other type, a
// missing key or value and any non-zero registry status give the empty result
// without a word. The key is always closed again.
//
// An unexpected failure inside (out of memory, a value too large to hold, an
// exception from the backend) shows the standard error report titled
// "RegistryGetKeyValue" on `boxes` and gives the empty result. Never throws.
TaggedValue RegistryGetKeyValue(RegistryBackend& registry, common::MessageBoxes& boxes,
                                RegistryRootKey root, std::string_view keyPath,
                                std::string_view valueName);

// Values larger than this are treated as an allocation that fails (error 7).
inline constexpr std::uint32_t kLargestRegistryValueBytes = 64u << 20;

}  // namespace platform

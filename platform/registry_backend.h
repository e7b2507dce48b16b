#pragma once
// The platform's registry as the registry reader sees it: the three calls the
// reader makes (open a key for reading, query a value, close the key), one
// member each.
//
// Texts crossing this interface are UTF-8: key paths and value names on the
// way in, and the data of the string types (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ) on the way out, including their terminating NUL where the
// stored value has one; sizes count the bytes of that UTF-8. So any text
// round-trips, also one that no 8-bit code page can hold. Other types come
// back as the stored bytes.
//
// Errors are values: every member returns a Windows status code and none
// throws by design. The reader still guards every call.

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

// A Windows status code (the registry calls' LONG result).
using RegistryStatus = std::int32_t;
inline constexpr RegistryStatus kRegistrySuccess = 0;
inline constexpr RegistryStatus kRegistryNotFound = 2;  // no such key or value
inline constexpr RegistryStatus kRegistryAccessDenied = 5;
inline constexpr RegistryStatus kRegistryInvalidHandle = 6;
inline constexpr RegistryStatus kRegistryInvalidParameter = 87;
inline constexpr RegistryStatus kRegistryMoreData = 234;  // the buffer is too small
inline constexpr RegistryStatus kRegistryBadDatabase = 1009;
inline constexpr RegistryStatus kRegistryCannotWrite = 1013;

// The predefined root keys, as their 32-bit handle values.
using RegistryRootKey = std::uint32_t;
inline constexpr RegistryRootKey kHkeyClassesRoot = 0x80000000;
inline constexpr RegistryRootKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegistryRootKey kHkeyLocalMachine = 0x80000002;
inline constexpr RegistryRootKey kHkeyUsers = 0x80000003;
inline constexpr RegistryRootKey kHkeyCurrentConfig = 0x80000005;

// An open key, handed out by openKey and given back by closeKey.
using RegistryKeyHandle = std::uint32_t;

// Access rights.
inline constexpr std::uint32_t kKeyRead = 0x20019;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

struct RegistryOpenResult {
  RegistryStatus status = kRegistryNotFound;
  RegistryKeyHandle key = 0;  // valid only when status is kRegistrySuccess
};

struct RegistryQueryResult {
  RegistryStatus status = kRegistryNotFound;
  std::uint32_t type = kRegNone;  // set on success and on kRegistryMoreData
  std::uint32_t size = 0;         // bytes copied, or bytes needed (kRegistryMoreData)
};

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // Opens `keyPath` (components separated by "\", letter case ignored; empty
  // for the root itself) below `root`. On kRegistrySuccess the caller owns the
  // handle until closeKey; on any other status nothing was opened.
  virtual RegistryOpenResult openKey(RegistryRootKey root, std::string_view keyPath,
                                     std::uint32_t access) = 0;

  // The type and size in bytes of the value `valueName` (empty: the key's
  // default value) without its data. kRegistryNotFound when there is none.
  virtual RegistryQueryResult queryValueInfo(RegistryKeyHandle key, std::string_view valueName) = 0;

  // Copies the value's data into the front of `buffer`. When the data does not
  // fit, nothing is copied and the status is kRegistryMoreData with the size
  // needed.
  virtual RegistryQueryResult queryValueData(RegistryKeyHandle key, std::string_view valueName,
                                             std::span<std::uint8_t> buffer) = 0;

  // Gives the handle back. kRegistryInvalidHandle for one that is not open.
  virtual RegistryStatus closeKey(RegistryKeyHandle key) = 0;
};

}  // namespace platform

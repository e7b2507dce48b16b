#include "platform/registry.h"

#include <algorithm>
#include <array>
#include <exception>
#include <new>
#include <optional>
#include <stdexcept>

#include "common/error_report.h"

namespace platform {
namespace {

constexpr std::string_view kRoutine = "RegistryGetKeyValue";

// An open key that is closed on every way out, also through an exception.
class OpenKey {
 public:
  OpenKey(RegistryBackend& registry, RegistryKeyHandle key) : registry_(registry), key_(key) {}
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (closed_) return;
    try {
      registry_.closeKey(key_);
    } catch (...) {
      // Already on the way out through a failure that is reported.
    }
  }
  RegistryKeyHandle handle() const { return key_; }
  // The normal way out; its status is as silent as every other one.
  void close() {
    closed_ = true;
    registry_.closeKey(key_);
  }

 private:
  RegistryBackend& registry_;
  RegistryKeyHandle key_;
  bool closed_ = false;
};

std::uint32_t checkedSize(std::uint32_t size) {
  if (size > kLargestRegistryValueBytes) throw std::bad_alloc();
  return size;
}

TaggedValue readText(RegistryBackend& registry, const OpenKey& key, std::string_view name,
                     std::uint32_t size) {
  if (size == 0) return std::string();
  std::string buffer(checkedSize(size), '\0');
  RegistryQueryResult read = registry.queryValueData(
      key.handle(), name,
      std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(buffer.data()), buffer.size()));
  buffer.resize(std::min(buffer.find('\0'), buffer.size()));
  if (read.status != kRegistrySuccess) return {};
  if (read.size < buffer.size()) buffer.resize(read.size);
  return buffer;
}

TaggedValue readBytes(RegistryBackend& registry, const OpenKey& key, std::string_view name,
                      std::uint32_t size) {
  std::vector<std::uint8_t> bytes(checkedSize(size));
  if (size == 0) return bytes;
  RegistryQueryResult read = registry.queryValueData(key.handle(), name, bytes);
  if (read.status != kRegistrySuccess) return {};
  return bytes;
}

// The data lands in a zeroed 32-bit integer with the size learnt: a shorter
// value fills its low bytes, a longer one does not fit and reads as a failure.
TaggedValue readDword(RegistryBackend& registry, const OpenKey& key, std::string_view name,
                      std::uint32_t size) {
  std::array<std::uint8_t, 4> bytes{};
  RegistryQueryResult read = registry.queryValueData(
      key.handle(), name, std::span<std::uint8_t>(bytes.data(), std::min<std::size_t>(size, 4)));
  if (read.status != kRegistrySuccess) return {};
  std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                        std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
  return static_cast<std::int32_t>(value);
}

TaggedValue readValue(RegistryBackend& registry, RegistryRootKey root, std::string_view keyPath,
                      std::string_view valueName) {
  RegistryOpenResult opened = registry.openKey(root, keyPath, kKeyRead);
  if (opened.status != kRegistrySuccess) return {};
  OpenKey key(registry, opened.key);

  TaggedValue result;
  RegistryQueryResult info = registry.queryValueInfo(key.handle(), valueName);
  if (info.status == kRegistrySuccess) {
    switch (info.type) {
      case kRegSz:
        result = readText(registry, key, valueName, info.size);
        break;
      case kRegBinary:
        result = readBytes(registry, key, valueName, info.size);
        break;
      case kRegDword:
        result = readDword(registry, key, valueName, info.size);
        break;
      default:
        break;
    }
  }
  key.close();
  return result;
}

// The classic run-time error a failure inside the reader is reported as.
struct RuntimeError {
  long number;
  std::string description;
};

RuntimeError runtimeErrorOf(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    return {7, "Nicht genügend Speicher"};
  } catch (const std::length_error&) {
    return {7, "Nicht genügend Speicher"};
  } catch (const std::overflow_error&) {
    return {6, "Überlauf"};
  } catch (const std::out_of_range&) {
    return {9, "Index außerhalb des gültigen Bereichs"};
  } catch (const std::exception& e) {
    std::string what = e.what();
    return {51, what.empty() ? std::string("Interner Fehler") : what};
  } catch (...) {
    return {51, "Interner Fehler"};
  }
}

}  // namespace

TaggedValue RegistryGetKeyValue(RegistryBackend& registry, common::MessageBoxes& boxes,
                                RegistryRootKey root, std::string_view keyPath,
                                std::string_view valueName) {
  std::exception_ptr failure;
  try {
    return readValue(registry, root, keyPath, valueName);
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    RuntimeError error = runtimeErrorOf(failure);
    common::showStandardErrorReport(boxes, kRoutine, error.number, error.description);
  } catch (...) {
    // Even the report failed (out of memory): the empty result is all that is left.
  }
  return {};
}

}  // namespace platform

#include "platform/linux/reg_file_backend.h"

#include <algorithm>
#include <ctime>

#include "common/utf8.h"
#include "platform/linux/reg_case_fold.h"
#include "platform/linux/reg_file.h"
#include "platform/linux/xdg_config_file.h"

namespace platform_linux {
namespace {

using namespace platform;

bool isStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// A value as it crosses the seam: string types in UTF-8.
RegValue handedOut(const RegValue& stored) {
  if (!isStringType(stored.type)) return stored;
  const std::string text = common::utf16ToUtf8(utf16FromLeBytes(stored.data));
  return RegValue{stored.type, std::vector<std::uint8_t>(text.begin(), text.end())};
}

}  // namespace

RegFileBackend::RegFileBackend(std::string userRegPath) : path_(std::move(userRegPath)) {}

std::string RegFileBackend::defaultUserRegPath() {
  std::string home = xdgConfigHome();
  return home.empty() ? std::string() : home + "/registry/user.reg";
}

RegistryOpenResult RegFileBackend::openKey(RegistryRootKey root, std::string_view keyPath,
                                           std::uint32_t /*access*/) {
  if (root != kHkeyCurrentUser || path_.empty()) return {kRegistryNotFound, 0};
  FileContents contents = readWholeFile(path_, kLargestRegistryFileBytes);
  if (contents.status != ReadStatus::Ok) return {kRegistryNotFound, 0};
  auto file = RegFile::parse(contents.bytes);
  if (!file) return {kRegistryNotFound, 0};
  auto values = file->valuesOf(common::utf8ToUtf16(keyPath));
  if (!values) return {kRegistryNotFound, 0};
  Snapshot snapshot;
  for (auto& [name, value] : *values) snapshot.emplace(name, handedOut(value));

  std::lock_guard lock(mutex_);
  RegistryKeyHandle handle = nextHandle_++;
  if (nextHandle_ == 0) nextHandle_ = 0x100;
  openKeys_[handle] = std::move(snapshot);
  return {kRegistrySuccess, handle};
}

const RegValue* RegFileBackend::find(RegistryKeyHandle key, std::string_view valueName) const {
  auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return nullptr;
  auto value = open->second.find(foldCase(common::utf8ToUtf16(valueName)));
  return value == open->second.end() ? nullptr : &value->second;
}

RegistryQueryResult RegFileBackend::queryValueInfo(RegistryKeyHandle key,
                                                   std::string_view valueName) {
  std::lock_guard lock(mutex_);
  if (!openKeys_.contains(key)) return {kRegistryInvalidHandle, 0, 0};
  const RegValue* value = find(key, valueName);
  if (value == nullptr) return {kRegistryNotFound, 0, 0};
  return {kRegistrySuccess, value->type, static_cast<std::uint32_t>(value->data.size())};
}

RegistryQueryResult RegFileBackend::queryValueData(RegistryKeyHandle key,
                                                   std::string_view valueName,
                                                   std::span<std::uint8_t> buffer) {
  std::lock_guard lock(mutex_);
  if (!openKeys_.contains(key)) return {kRegistryInvalidHandle, 0, 0};
  const RegValue* value = find(key, valueName);
  if (value == nullptr) return {kRegistryNotFound, 0, 0};
  auto size = static_cast<std::uint32_t>(value->data.size());
  if (value->data.size() > buffer.size()) return {kRegistryMoreData, value->type, size};
  std::copy(value->data.begin(), value->data.end(), buffer.begin());
  return {kRegistrySuccess, value->type, size};
}

RegistryStatus RegFileBackend::closeKey(RegistryKeyHandle key) {
  std::lock_guard lock(mutex_);
  return openKeys_.erase(key) == 1 ? kRegistrySuccess : kRegistryInvalidHandle;
}

RegistryStatus RegFileBackend::setValue(RegistryRootKey root, std::string_view keyPath,
                                        std::string_view valueName, std::uint32_t type,
                                        std::span<const std::uint8_t> data) {
  if (root != kHkeyCurrentUser || path_.empty()) return kRegistryAccessDenied;
  std::u16string path = common::utf8ToUtf16(keyPath);
  auto normalized = normalizeKeyPath(path);
  if (!normalized || normalized->empty()) return kRegistryInvalidParameter;

  RegValue value{type, std::vector<std::uint8_t>(data.begin(), data.end())};
  if (isStringType(type)) {
    std::u16string text = common::utf8ToUtf16(
        std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    if (text.empty() || text.back() != u'\0') text.push_back(u'\0');
    value.data = utf16leBytes(text);
  }

  const std::string folder = folderOf(path_);
  if (makeDirectories(folder) != 0) return kRegistryCannotWrite;
  FolderLock lock(folder);
  if (lock.held()) removeLeftoverTemporaries(path_);
  FileContents contents = readWholeFile(path_, kLargestRegistryFileBytes);
  std::optional<RegFile> file;
  if (contents.status == ReadStatus::Missing) {
    file = RegFile::createEmpty();
  } else if (contents.status == ReadStatus::Ok) {
    file = RegFile::parse(contents.bytes);
  }
  if (!file) return kRegistryBadDatabase;
  if (!file->setValue(*normalized, common::utf8ToUtf16(valueName), value, std::time(nullptr))) {
    return kRegistryInvalidParameter;
  }
  return replaceFileAtomically(path_, file->text()) == 0 ? kRegistrySuccess : kRegistryCannotWrite;
}

}  // namespace platform_linux

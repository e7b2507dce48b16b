// Parses arbitrary bytes as a registry file, looks up a few keys and values,
// and sets a value in what was parsed.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/linux/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto file = platform_linux::RegFile::parse(text);
  if (!file) return 0;
  if (file->text() != text) __builtin_trap();  // parsing keeps every byte
  for (std::u16string_view key : {u"", u"Software", u"software\\symantec\\ACT!", u"A\\B", u"a"}) {
    if (auto values = file->valuesOf(key)) {
      for (const auto& [name, value] : *values) platform_linux::formatValueLine(name, value);
    }
  }
  if (file->setValue(u"A\\B", u"x", {1, {'x', 0, 0, 0}}, 1)) {
    auto reread = platform_linux::RegFile::parse(file->text());
    if (!reread || !reread->valuesOf(u"a\\b") || !reread->valuesOf(u"a\\b")->contains(u"x")) {
      __builtin_trap();
    }
  }
  return 0;
}

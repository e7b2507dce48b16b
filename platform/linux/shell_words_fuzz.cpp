// Word splitting and variable expansion take text from the registry and from
// dialogs; neither may crash or read past its input, whatever the bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/linux/shell_words.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t total = 0;
  for (const std::string& word : platform_linux::splitShellWords(text)) total += word.size();
  if (total > size) __builtin_trap();  // words never hold more than the text
  std::string expanded = platform_linux::expandEnvironment(
      text, [](const std::string& name) -> const char* { return name.size() % 2 ? "v" : nullptr; });
  (void)expanded;
  return 0;
}

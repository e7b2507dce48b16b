// Fuzz target: any bytes as a table file. Opening and reading every value of
// every record must either work or raise EngineError; never crash, never
// read outside the file.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "dbengine/storage/table_file.h"

namespace {

const std::filesystem::path& scratchFile() {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("table_file_fuzz_" + std::to_string(::getpid()) + ".dbf");
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  try {
    const auto table = dbengine::TableFile::open(scratchFile());
    const int fieldCount = static_cast<int>(table->fields().size());
    table->scan([&](std::uint32_t, const std::uint8_t* first, std::uint32_t count) {
      for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* record = first + std::size_t{i} * table->recordLength();
        (void)dbengine::TableFile::isDeleted(record);
        for (int f = 0; f < fieldCount; ++f) {
          (void)table->rawField(record, f);
          const bool isNull = table->isNull(record, f);
          try {
            const dbengine::Value value = table->value(record, f);
            if (value.isNull() != isNull) __builtin_trap();
            (void)value.toText();
          } catch (const dbengine::EngineError&) {
          }
        }
      }
    });
  } catch (const dbengine::EngineError&) {
  }
  return 0;
}

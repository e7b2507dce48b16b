// Fuzz target: any bytes as a table file. Opening and reading every value of
// every record must either work or raise EngineError; never crash, never
// read outside the file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "dbengine/storage/table_file.h"
#include "tests/scratch.h"

namespace {
const test_support::ScratchFolder scratch;  // one file in it, written anew for every input
const std::filesystem::path scratchFile = scratch.path() / "fuzz.dbf";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  test_support::writeFile(scratchFile, std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    const auto table = dbengine::TableFile::open(scratchFile);
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

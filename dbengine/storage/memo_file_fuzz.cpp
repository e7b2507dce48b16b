// Fuzz target: any bytes as a memo file, read in each format at every block
// number the file could hold and a few beyond. Reads must either work or
// raise EngineError; never crash, never read outside the file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "dbengine/storage/engine_error.h"
#include "dbengine/storage/memo_file.h"
#include "tests/scratch.h"

namespace {
const test_support::ScratchFolder scratch;  // one file in it, written anew for every input
const std::filesystem::path scratchFile = scratch.path() / "fuzz.fpt";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  test_support::writeFile(scratchFile, std::string_view(reinterpret_cast<const char*>(data), size));
  for (auto format : {dbengine::MemoFormat::kDbase3, dbengine::MemoFormat::kDbase4,
                      dbengine::MemoFormat::kFoxPro}) {
    try {
      const auto memo = dbengine::MemoFile::open(scratchFile, format);
      const std::uint64_t blocks = size / memo->blockSize() + 2;
      for (std::uint64_t block = 0; block < blocks && block < 4096; ++block) {
        try {
          const std::string text = memo->read(static_cast<std::uint32_t>(block));
          // Touch every byte so that the sanitizer sees a read past the map.
          volatile std::uint8_t sum = 0;
          for (char c : text) sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
        } catch (const dbengine::EngineError&) {
        }
      }
      for (std::uint32_t block : {0xFFFFFFFFu, 0x80000000u, 0x01000000u}) {
        try {
          (void)memo->read(block);
        } catch (const dbengine::EngineError&) {
        }
      }
    } catch (const dbengine::EngineError&) {
    }
  }
  return 0;
}

#pragma once
// Test helper: the bytes of table files, for the corner cases that
// python3-dbf cannot produce, and the error a call raises.

#include <cstdint>
#include <string>
#include <vector>

#include "dbengine/storage/engine_error.h"
#include "tests/scratch.h"

namespace dbengine::testing {

struct FieldLayout {
  std::string name;
  char type = 'C';
  std::uint8_t length = 1;
  std::uint8_t decimals = 0;
  std::uint8_t flags = 0;  // Visual FoxPro field flags (0x01 system, 0x02 nullable)
};

// The bytes of a table: header, descriptors (with offsets, as FoxPro writes
// them), 0x0D, the 263-byte backlink for Visual FoxPro, then the records as
// given (each one starts with its deletion flag) and the 0x1A end mark.
inline std::string tableBytes(std::uint8_t version, const std::vector<FieldLayout>& fields,
                              const std::vector<std::string>& records,
                              std::uint8_t languageDriver = 0x03) {
  const bool visualFoxPro = version == 0x30 || version == 0x31 || version == 0x32;
  std::uint32_t recordLength = 1;
  for (const FieldLayout& f : fields) recordLength += f.length;
  const std::uint32_t headerLength =
      static_cast<std::uint32_t>(32 + 32 * fields.size() + 1 + (visualFoxPro ? 263 : 0));
  std::string out(32, '\0');
  const auto put16 = [&](std::size_t at, std::uint32_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8 & 0xFF);
  };
  const auto put32 = [&](std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      s[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i) & 0xFF);
  };
  out[0] = static_cast<char>(version);
  out[1] = 124;  // last update 2024-01-01
  out[2] = 1;
  out[3] = 1;
  put32(out, 4, static_cast<std::uint32_t>(records.size()));
  put16(8, headerLength);
  put16(10, recordLength);
  out[29] = static_cast<char>(languageDriver);
  std::uint32_t offset = 1;
  for (const FieldLayout& f : fields) {
    std::string d(32, '\0');
    d.replace(0, std::min<std::size_t>(f.name.size(), 10), f.name.substr(0, 10));
    d[11] = f.type;
    put32(d, 12, offset);
    d[16] = static_cast<char>(f.length);
    d[17] = static_cast<char>(f.decimals);
    d[18] = static_cast<char>(f.flags);
    out += d;
    offset += f.length;
  }
  out += '\x0D';
  if (visualFoxPro) out += std::string(263, '\0');
  for (const std::string& r : records) out += r;
  out += '\x1A';
  return out;
}

using test_support::ScratchFolder;

// The error a call raises; number 0 when it raises none.
template <typename Call>
EngineError errorOf(Call call) {
  try {
    call();
  } catch (const EngineError& e) {
    return e;
  }
  return EngineError(0, "");
}
template <typename Call>
int errorNumberOf(Call call) {
  return errorOf(call).number();
}

}  // namespace dbengine::testing

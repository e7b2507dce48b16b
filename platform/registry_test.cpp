#include "platform/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <stdexcept>

#include "tests/fakes/fake_message_boxes.h"

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// One key's values, with switches to make each call fail or throw.
class FakeRegistry : public RegistryBackend {
 public:
  struct Value {
    std::uint32_t type;
    Bytes data;
  };

  RegistryOpenResult openKey(RegistryRootKey root, std::string_view keyPath,
                             std::uint32_t access) override {
    ++opens;
    seenRoot = root;
    seenPath = std::string(keyPath);
    seenAccess = access;
    if (throwOnOpen) throw std::runtime_error("kaputt");
    if (openStatus != kRegistrySuccess) return {openStatus, 0};
    ++openHandles;
    return {kRegistrySuccess, 77};
  }

  RegistryQueryResult queryValueInfo(RegistryKeyHandle key, std::string_view name) override {
    EXPECT_EQ(key, 77u);
    seenName = std::string(name);
    if (infoStatus != kRegistrySuccess) return {infoStatus, 0, 0};
    auto it = values.find(seenName);
    if (it == values.end()) return {kRegistryNotFound, 0, 0};
    return {kRegistrySuccess, it->second.type,
            reportedSize.value_or(static_cast<std::uint32_t>(it->second.data.size()))};
  }

  RegistryQueryResult queryValueData(RegistryKeyHandle key, std::string_view name,
                                     std::span<std::uint8_t> buffer) override {
    EXPECT_EQ(key, 77u);
    dataBufferSizes.push_back(buffer.size());
    if (throwOnData) throw std::bad_alloc();
    if (dataStatus != kRegistrySuccess) return {dataStatus, 0, 0};
    const Value& value = values.at(std::string(name));
    auto size = static_cast<std::uint32_t>(value.data.size());
    if (value.data.size() > buffer.size()) return {kRegistryMoreData, value.type, size};
    std::copy(value.data.begin(), value.data.end(), buffer.begin());
    return {kRegistrySuccess, value.type, size};
  }

  RegistryStatus closeKey(RegistryKeyHandle key) override {
    EXPECT_EQ(key, 77u);
    --openHandles;
    ++closes;
    if (throwOnClose) throw std::runtime_error("Schließen ging schief");
    return kRegistrySuccess;
  }

  std::map<std::string, Value> values;
  RegistryStatus openStatus = kRegistrySuccess;
  RegistryStatus infoStatus = kRegistrySuccess;
  RegistryStatus dataStatus = kRegistrySuccess;
  std::optional<std::uint32_t> reportedSize;
  bool throwOnOpen = false, throwOnData = false, throwOnClose = false;

  int opens = 0, closes = 0, openHandles = 0;
  RegistryRootKey seenRoot = 0;
  std::uint32_t seenAccess = 0;
  std::string seenPath, seenName;
  std::vector<std::size_t> dataBufferSizes;
};

// A fake key holding value "v", and the message boxes the reader shows.
struct Reader {
  FakeRegistry registry;
  fakes::FakeMessageBoxes boxes;

  Reader(std::uint32_t type, Bytes data) { registry.values["v"] = {type, std::move(data)}; }
  TaggedValue read(std::string_view name = "v") {
    return RegistryGetKeyValue(registry, boxes, kHkeyCurrentUser, "Software\\Symantec\\ACT!", name);
  }
};

struct ValueCase {
  const char* name;
  std::uint32_t type;
  Bytes stored;
  TaggedValue expected;
};

TEST(RegistryGetKeyValue, ConvertsEachTypeAsTheOriginalDid) {
  const ValueCase cases[] = {
      {"text", kRegSz, bytesOf(std::string_view("C:\\ACT\\NetLinks\0", 16)),
       std::string("C:\\ACT\\NetLinks")},
      {"cp1252 text", kRegSz, bytesOf(std::string_view("Gr\xFC\xDF \x80\0", 7)),
       std::string("Grüß €")},
      {"inner NUL", kRegSz, bytesOf(std::string_view("vorne\0hinten\0", 13)), std::string("vorne")},
      {"no terminator", kRegSz, bytesOf("abc"), std::string("abc")},
      {"only the terminator", kRegSz, Bytes{0}, std::string()},
      {"zero-length text", kRegSz, Bytes{}, std::string()},
      {"bytes", kRegBinary, Bytes{1, 2, 0, 0xFF}, Bytes{1, 2, 0, 0xFF}},
      {"zero-length bytes", kRegBinary, Bytes{}, Bytes{}},
      {"all ones", kRegDword, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, std::int32_t{-1}},
      {"little endian", kRegDword, Bytes{0x78, 0x56, 0x34, 0x12}, std::int32_t{0x12345678}},
      {"short dword fills the low bytes", kRegDword, Bytes{0x34, 0x12}, std::int32_t{0x1234}},
      {"long dword does not fit", kRegDword, Bytes(8, 1), TaggedValue{}},
      {"expand string", kRegExpandSz, bytesOf(std::string_view("%TEMP%\0", 7)), TaggedValue{}},
      {"multi string", kRegMultiSz, bytesOf(std::string_view("a\0b\0\0", 5)), TaggedValue{}},
      {"qword", kRegQword, Bytes(8, 0), TaggedValue{}},
      {"none", kRegNone, Bytes{1}, TaggedValue{}},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.name);
    Reader r(c.type, c.stored);
    EXPECT_EQ(r.read(), c.expected);
    EXPECT_EQ(r.registry.closes, 1);
    EXPECT_EQ(r.registry.openHandles, 0);
    EXPECT_TRUE(r.boxes.shown.empty());
    // The data is asked for once, in a buffer of the size learnt (at most a
    // DWORD's four bytes for one); never for empty or unconverted values.
    std::vector<std::size_t> buffers;
    const bool converted = c.type == kRegSz || c.type == kRegBinary || c.type == kRegDword;
    if (converted && !c.stored.empty()) {
      buffers.push_back(c.type == kRegDword ? std::min<std::size_t>(c.stored.size(), 4)
                                            : c.stored.size());
    }
    EXPECT_EQ(r.registry.dataBufferSizes, buffers);
  }
}

TEST(RegistryGetKeyValue, OpensForReadingAndPassesNamesAsWindows1252) {
  FakeRegistry registry;
  fakes::FakeMessageBoxes boxes;
  RegistryGetKeyValue(registry, boxes, 0x80000002, "Software\\Müller", "Größe");
  EXPECT_EQ(registry.seenRoot, 0x80000002u);
  EXPECT_EQ(registry.seenAccess, 0x20019u);
  EXPECT_EQ(registry.seenPath, "Software\\M\xFCller");
  EXPECT_EQ(registry.seenName,
            "Gr\xF6\xDF"
            "e");
}

TEST(RegistryGetKeyValue, TextIsCutToTheSizeTheSecondQueryReturned) {
  // The value shrank between the two queries: only what was copied counts.
  Reader r(kRegSz, bytesOf("ab"));
  r.registry.reportedSize = 5;
  EXPECT_EQ(r.read(), TaggedValue(std::string("ab")));
}

TEST(RegistryGetKeyValue, RegistryFailuresAreSilentAndEmpty) {
  struct FailureCase {
    const char* name;
    void (*arrange)(FakeRegistry&);
    int expectedCloses;
  };
  const FailureCase cases[] = {
      {"key missing", [](FakeRegistry& r) { r.openStatus = kRegistryNotFound; }, 0},
      {"key denied", [](FakeRegistry& r) { r.openStatus = kRegistryAccessDenied; }, 0},
      {"value missing", [](FakeRegistry& r) { r.values.erase("v"); }, 1},
      {"type query fails", [](FakeRegistry& r) { r.infoStatus = kRegistryAccessDenied; }, 1},
      {"data query fails", [](FakeRegistry& r) { r.dataStatus = kRegistryMoreData; }, 1},
  };
  for (std::uint32_t type : {kRegSz, kRegBinary, kRegDword}) {
    for (const FailureCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " type " + std::to_string(type));
      Reader r(type, Bytes{1, 2, 3, 4});
      c.arrange(r.registry);
      EXPECT_TRUE(isEmpty(r.read()));
      EXPECT_EQ(r.registry.closes, c.expectedCloses);
      EXPECT_EQ(r.registry.openHandles, 0);
      EXPECT_TRUE(r.boxes.shown.empty());
    }
  }
}

TEST(RegistryGetKeyValue, UnexpectedFailuresShowTheStandardErrorReport) {
  struct ThrowCase {
    const char* name;
    void (*arrange)(FakeRegistry&);
    const char* text;
  };
  const ThrowCase cases[] = {
      {"open throws", [](FakeRegistry& r) { r.throwOnOpen = true; }, "Error: 51. kaputt"},
      {"query throws", [](FakeRegistry& r) { r.throwOnData = true; },
       "Error: 7. Nicht genügend Speicher"},
      {"absurd size", [](FakeRegistry& r) { r.reportedSize = 0xFFFFFFFFu; },
       "Error: 7. Nicht genügend Speicher"},
      {"close throws", [](FakeRegistry& r) { r.throwOnClose = true; },
       "Error: 51. Schließen ging schief"},
  };
  for (const ThrowCase& c : cases) {
    SCOPED_TRACE(c.name);
    Reader r(kRegBinary, Bytes{1, 2, 3});
    c.arrange(r.registry);
    EXPECT_TRUE(isEmpty(r.read()));
    ASSERT_EQ(r.boxes.shown.size(), 1u);
    EXPECT_EQ(r.boxes.shown[0].text, c.text);
    EXPECT_EQ(r.boxes.shown[0].title, "RegistryGetKeyValue");
    EXPECT_EQ(r.boxes.shown[0].buttons, common::MessageButtons::Ok);
    EXPECT_EQ(r.boxes.shown[0].icon, common::MessageIcon::None);
    EXPECT_EQ(r.registry.openHandles, 0) << "a key opened before the failure is closed";
    EXPECT_LE(r.registry.closes, 1);
  }
}

}  // namespace
}  // namespace platform

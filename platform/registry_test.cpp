#include "platform/registry.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_registry.h"

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

using fakes::FakeRegistry;

// The reader over a fake registry, and the boxes it shows.
struct Reader {
  FakeRegistry registry;
  fakes::FakeMessageBoxes boxes;
  TaggedValue read() {
    return RegistryGetKeyValue(registry, boxes, kHkeyCurrentUser, "Software\\Symantec\\ACT!", "v");
  }
};

TEST(RegistryGetKeyValue, ConvertsEachTypeAsTheOriginalDid) {
  const struct {
    const char* name;
    std::uint32_t type;
    Bytes stored;
    TaggedValue expected;
    std::optional<std::uint32_t> sizeAtFirst = {};  // when the value changed between the queries
  } cases[] = {
      {"text in UTF-8", kRegSz, bytesOf(std::string_view("Grüß € Łódź\0", 19)),
       std::string("Grüß € Łódź")},
      {"inner NUL", kRegSz, bytesOf(std::string_view("vorne\0hinten\0", 13)), std::string("vorne")},
      {"no terminator", kRegSz, bytesOf("abc"), std::string("abc")},
      {"only the terminator", kRegSz, Bytes{0}, std::string()},
      {"zero-length text", kRegSz, Bytes{}, std::string()},
      {"text shrank: only what was copied counts", kRegSz, bytesOf("ab"), std::string("ab"), 5},
      {"bytes", kRegBinary, Bytes{1, 2, 0, 0xFF}, Bytes{1, 2, 0, 0xFF}},
      {"zero-length bytes", kRegBinary, Bytes{}, Bytes{}},
      {"all ones", kRegDword, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, std::int32_t{-1}},
      {"little endian", kRegDword, Bytes{0x78, 0x56, 0x34, 0x12}, std::int32_t{0x12345678}},
      {"short dword fills the low bytes", kRegDword, Bytes{0x34, 0x12}, std::int32_t{0x1234}},
      {"long dword does not fit", kRegDword, Bytes(8, 1), TaggedValue{}},
      {"expand string", kRegExpandSz, bytesOf(std::string_view("%TEMP%\0", 7)), TaggedValue{}},
      {"multi string", kRegMultiSz, bytesOf(std::string_view("a\0b\0\0", 5)), TaggedValue{}},
      {"none", kRegNone, Bytes{1}, TaggedValue{}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reader t;
    t.registry.type = c.type;
    t.registry.data = c.stored;
    t.registry.reportedSize = c.sizeAtFirst;
    EXPECT_EQ(t.read(), c.expected);
    EXPECT_EQ(t.registry.closes, 1);
    EXPECT_TRUE(t.boxes.shown.empty());
  }
}

TEST(RegistryGetKeyValue, OpensForReadingAndPassesNamesAsUtf8) {
  Reader t;
  RegistryGetKeyValue(t.registry, t.boxes, 0x80000002, "Software\\Müller Łódź", "Größe Ω");
  EXPECT_EQ(t.registry.asked, "2147483650 Software\\Müller Łódź 131097 Größe Ω");
}

TEST(RegistryGetKeyValue, RegistryFailuresAreSilentAndEmptyAndTheKeyIsClosed) {
  const struct {
    const char* name;
    void (*arrange)(FakeRegistry&);
    int closes;
  } cases[] = {
      {"key missing", [](FakeRegistry& r) { r.openStatus = kRegistryNotFound; }, 0},
      {"key denied", [](FakeRegistry& r) { r.openStatus = kRegistryAccessDenied; }, 0},
      {"value missing", [](FakeRegistry& r) { r.infoStatus = kRegistryNotFound; }, 1},
      {"type query fails", [](FakeRegistry& r) { r.infoStatus = kRegistryAccessDenied; }, 1},
      {"data query fails", [](FakeRegistry& r) { r.dataStatus = kRegistryMoreData; }, 1},
  };
  for (std::uint32_t type : {kRegSz, kRegBinary, kRegDword}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " type " + std::to_string(type));
      Reader t;
      t.registry.type = type;
      t.registry.data = {1, 2, 3, 4};
      c.arrange(t.registry);
      EXPECT_TRUE(isEmpty(t.read()));
      EXPECT_EQ(t.registry.closes, c.closes);
      EXPECT_EQ(t.registry.openHandles, 0);
      EXPECT_TRUE(t.boxes.shown.empty());
    }
  }
}

TEST(RegistryGetKeyValue, UnexpectedFailuresShowTheStandardErrorReport) {
  const struct {
    const char* name;
    void (*arrange)(FakeRegistry&);
    const char* text;
  } cases[] = {
      {"open throws", [](FakeRegistry& r) { r.throwOnOpen = true; }, "Error: 51. kaputt"},
      {"query throws", [](FakeRegistry& r) { r.throwOnData = true; },
       "Error: 7. Nicht genügend Speicher"},
      {"absurd size", [](FakeRegistry& r) { r.reportedSize = 0xFFFFFFFFu; },
       "Error: 7. Nicht genügend Speicher"},
      {"close throws", [](FakeRegistry& r) { r.throwOnClose = true; },
       "Error: 51. Schließen ging schief"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reader t;
    t.registry.type = kRegBinary;
    t.registry.data = {1, 2, 3};
    c.arrange(t.registry);
    EXPECT_TRUE(isEmpty(t.read()));
    EXPECT_EQ(t.boxes.shown, (fakes::Boxes{{.text = c.text, .title = "RegistryGetKeyValue"}}));
    EXPECT_EQ(t.registry.openHandles, 0) << "a key opened before the failure is closed";
    EXPECT_LE(t.registry.closes, 1);
  }
}

}  // namespace
}  // namespace platform

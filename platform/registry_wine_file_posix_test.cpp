// The registry reader over the Linux backend, reading files Wine wrote.

#include <gtest/gtest.h>

#include "platform/linux/reg_file_backend.h"
#include "platform/registry.h"
#include "tests/fakes/fake_message_boxes.h"

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

TaggedValue readFrom(std::string_view file, std::string_view key, std::string_view name,
                     fakes::FakeMessageBoxes& boxes) {
  platform_linux::RegFileBackend registry(std::string(SPURLIX_TEST_DATA "/registry/") +
                                          std::string(file));
  return RegistryGetKeyValue(registry, boxes, kHkeyCurrentUser, key, name);
}

constexpr std::string_view kKey = "Software\\SpurlixTest\\MixedCase Key";

TEST(RegistryGetKeyValueOnWineFiles, ReadsEachKindOfValue) {
  struct Case {
    std::string_view file = "wine_user.reg";
    std::string_view key = kKey;
    std::string_view name;
    TaggedValue expected;
  };
  const Case cases[] = {
      {.key = "software\\symantec\\act!",
       .name = "NetLinks File Type",
       .expected = std::string("C:\\ACT\\NetLinks")},
      {.name = "Umlauts", .expected = std::string("Grüße aus Köln, Straße 5 € ¼")},
      {.name = "NotInCodePage", .expected = std::string("?mega ?")},
      {.name = "Empty", .expected = std::string()},
      {.file = "wine_user_inner_nul.reg", .name = "InnerNul", .expected = std::string("vorne")},
      {.name = "Bytes", .expected = Bytes{1, 2, 0xab, 0xff, 0}},
      {.name = "AllOnes", .expected = std::int32_t{-1}},
      {.name = "Quad", .expected = TaggedValue{}},  // a type the reader does not convert
      {.file = "missing.reg", .name = "Plain", .expected = TaggedValue{}},
  };
  for (const Case& c : cases) {
    fakes::FakeMessageBoxes boxes;
    EXPECT_EQ(readFrom(c.file, c.key, c.name, boxes), c.expected) << c.name;
    EXPECT_TRUE(boxes.shown.empty()) << c.name;
  }
  fakes::FakeMessageBoxes boxes;
  auto longValue = std::get<Bytes>(readFrom("wine_user.reg", kKey, "Long", boxes));
  EXPECT_EQ(longValue.size(), 100u);
}

}  // namespace
}  // namespace platform

// The registry reader over the Linux backend, reading files Wine wrote.

#include <gtest/gtest.h>

#include "platform/linux/reg_file_backend.h"
#include "platform/registry.h"
#include "tests/fakes/fake_message_boxes.h"

namespace platform {
namespace {

TEST(RegistryGetKeyValueOnWineFiles, ReadsEachKindOfValue) {
  const struct {
    std::string_view file, key, name;
    TaggedValue expected;
  } cases[] = {
      {"wine_user.reg", "software\\symantec\\act!", "NetLinks File Type",
       std::string("C:\\ACT\\NetLinks")},
      {"wine_user.reg", "Software\\SpurlixTest\\MixedCase Key", "Umlauts",
       std::string("Grüße aus Köln, Straße 5 € ¼")},
      {"wine_user.reg", "SOFTWARE\\spurlixtest\\łÓDŹ ΩΜΕΓΑ", "ссылки",
       std::string("C:\\Users\\Łukasz\\ACT\\Links")},
      {"wine_user_inner_nul.reg", "Software\\SpurlixTest\\MixedCase Key", "InnerNul",
       std::string("vorne")},
      {"wine_user.reg", "Software\\SpurlixTest\\MixedCase Key", "Bytes",
       std::vector<std::uint8_t>{1, 2, 0xab, 0xff, 0}},
      {"wine_user.reg", "Software\\SpurlixTest\\MixedCase Key", "AllOnes", std::int32_t{-1}},
      {"missing.reg", "Software\\SpurlixTest\\MixedCase Key", "Plain", TaggedValue{}},
  };
  for (const auto& c : cases) {
    platform_linux::RegFileBackend registry(std::string(SPURLIX_TEST_DATA "/registry/") +
                                            std::string(c.file));
    fakes::FakeMessageBoxes boxes;
    EXPECT_EQ(RegistryGetKeyValue(registry, boxes, kHkeyCurrentUser, c.key, c.name), c.expected)
        << c.name;
    EXPECT_TRUE(boxes.shown.empty()) << c.name;
  }
}

}  // namespace
}  // namespace platform

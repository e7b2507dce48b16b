#include "common/error_report.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_message_boxes.h"

namespace common {
namespace {

TEST(StandardErrorReport, TextIsErrorNumberInPlainDigitsThenDescription) {
  EXPECT_EQ(standardErrorReportText(53, "Datei nicht gefunden"), "Error: 53. Datei nicht gefunden");
  EXPECT_EQ(standardErrorReportText(-2147221504, "x"), "Error: -2147221504. x");
  EXPECT_EQ(standardErrorReportText(0, ""), "Error: 0. ");
  EXPECT_EQ(standardErrorReportText(3044, "Pfad \xC3\xBC"), "Error: 3044. Pfad \xC3\xBC");
}

TEST(StandardErrorReport, ShowsOneOkBoxWithoutIconTitledWithTheRoutine) {
  fakes::FakeMessageBoxes boxes;
  showStandardErrorReport(boxes, "KurznameVon", 76, "Pfad nicht gefunden");
  ASSERT_EQ(boxes.shown.size(), 1u);
  const MessageBoxRequest& box = boxes.shown[0];
  EXPECT_EQ(box.text, "Error: 76. Pfad nicht gefunden");
  EXPECT_EQ(box.title, "KurznameVon");
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
  EXPECT_EQ(box.icon, MessageIcon::None);
  EXPECT_FALSE(box.foreground);
  EXPECT_FALSE(box.systemModal);
}

}  // namespace
}  // namespace common

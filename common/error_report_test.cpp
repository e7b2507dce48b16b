#include "common/error_report.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_message_boxes.h"

namespace common {
namespace {

TEST(StandardErrorReport, ShowsTheNumberInPlainDigitsThenTheDescriptionTitledWithTheRoutine) {
  EXPECT_EQ(standardErrorReportText(-2147221504, "x"), "Error: -2147221504. x");
  EXPECT_EQ(standardErrorReportText(0, ""), "Error: 0. ");
  fakes::FakeMessageBoxes boxes;
  showStandardErrorReport(boxes, "KurznameVon", 3044, "Pfad \xC3\xBC");
  EXPECT_EQ(boxes.shown,
            (fakes::Boxes{{.text = "Error: 3044. Pfad \xC3\xBC", .title = "KurznameVon"}}));
}

}  // namespace
}  // namespace common

#pragma once
// The standard error report: an OK box without icon, titled with the name of
// the routine that failed, reading "Error: <number>. <description>".

#include <string>
#include <string_view>

#include "common/message_boxes.h"

namespace common {

std::string standardErrorReportText(long number, std::string_view description);
void showStandardErrorReport(MessageBoxes& boxes, std::string_view routine, long number,
                             std::string_view description);

}  // namespace common

#include "common/error_report.h"

namespace common {

std::string standardErrorReportText(long number, std::string_view description) {
  std::string text = "Error: ";
  text += std::to_string(number);
  text += ". ";
  text += description;
  return text;
}

void showStandardErrorReport(MessageBoxes& boxes, std::string_view routine, long number,
                             std::string_view description) {
  MessageBoxRequest request;
  request.text = standardErrorReportText(number, description);
  request.title = std::string(routine);
  request.buttons = MessageButtons::Ok;
  request.icon = MessageIcon::None;
  boxes.show(request);
}

}  // namespace common

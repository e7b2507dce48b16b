#pragma once
// Records every message box and answers from a queue (Yes/OK when empty).

#include <deque>
#include <ostream>
#include <vector>

#include "common/message_boxes.h"

namespace common {
inline void PrintTo(const MessageBoxRequest& box, std::ostream* out) {
  *out << "{\"" << box.text << "\", \"" << box.title << "\", buttons "
       << static_cast<int>(box.buttons) << ", icon " << static_cast<int>(box.icon)
       << (box.foreground ? ", foreground" : "") << (box.systemModal ? ", system modal" : "")
       << "}";
}
}  // namespace common

namespace fakes {

using Boxes = std::vector<common::MessageBoxRequest>;

class FakeMessageBoxes : public common::MessageBoxes {
 public:
  common::MessageAnswer show(const common::MessageBoxRequest& request) override {
    shown.push_back(request);
    if (!answers.empty()) {
      common::MessageAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return request.buttons == common::MessageButtons::YesNo ? common::MessageAnswer::Yes
                                                            : common::MessageAnswer::Ok;
  }

  Boxes shown;
  std::deque<common::MessageAnswer> answers;
};

}  // namespace fakes

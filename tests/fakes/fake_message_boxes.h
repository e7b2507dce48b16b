#pragma once
// Records every message box and answers from a queue (Yes/OK when empty).

#include <deque>
#include <vector>

#include "common/message_boxes.h"

namespace fakes {

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

  std::vector<common::MessageBoxRequest> shown;
  std::deque<common::MessageAnswer> answers;
};

}  // namespace fakes

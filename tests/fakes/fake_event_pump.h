#pragma once
// Counts the yields and runs an optional action inside each one, standing in
// for an event the user triggers while the logic yields.

#include <functional>

#include "common/event_pump.h"

namespace fakes {

class FakeEventPump : public common::EventPump {
 public:
  void processPendingEvents() override {
    ++yields;
    if (onYield) onYield(yields);
  }

  int yields = 0;
  std::function<void(int)> onYield;
};

}  // namespace fakes

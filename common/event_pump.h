#pragma once
// Lets the user interface handle the window events that are pending, then
// returns. Long-running logic calls it at fixed points so that the dialog is
// repainted and keeps answering keys while the work goes on.

namespace common {

class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void processPendingEvents() = 0;
};

}  // namespace common

#pragma once
// Processes the pending window events with QCoreApplication::processEvents()
// and returns; cheap when nothing is pending. Use on the user-interface
// thread.

#include "common/event_pump.h"

namespace platform_qt {

class QtEventPump : public common::EventPump {
 public:
  void processPendingEvents() override;
};

}  // namespace platform_qt

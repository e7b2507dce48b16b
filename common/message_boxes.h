#pragma once
// Message boxes as the program's logic asks for them. The toolkit-free code
// describes a box; the dialog layer (or a fake in tests) shows it and answers.

#include <string>

namespace common {

// The caption every message box carries unless it sets its own.
inline constexpr const char* kApplicationTitle = "SpurlixLight";

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Exclamation };
enum class MessageAnswer { Ok, Yes, No };

struct MessageBoxRequest {
  std::string text;  // UTF-8; lines separated by "\r\n"
  std::string title = kApplicationTitle;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  bool foreground = false;   // brought in front of other programs' windows
  bool systemModal = false;  // blocks the whole desktop session, not only our windows
  friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and returns once the user has answered. Never throws.
  virtual MessageAnswer show(const MessageBoxRequest& request) = 0;
};

}  // namespace common

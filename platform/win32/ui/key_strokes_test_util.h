#pragma once
// Key strokes as a person makes them, for SendInput in the dialogs' tests.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace win32_ui::testing {

inline INPUT key(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

inline INPUT character(wchar_t ch, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = ch;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

// A key stroke as a person makes it: "Return", "Ctrl+Return", "Alt+S",
// "Shift+Tab"; a single character other than a named key is typed as that
// character.
inline std::vector<INPUT> stroke(const std::string& name) {
  struct Named {
    const char* name;
    WORD key;
  };
  static constexpr Named kKeys[] = {{"Return", VK_RETURN},
                                    {"Escape", VK_ESCAPE},
                                    {"Tab", VK_TAB},
                                    {"Space", VK_SPACE},
                                    {"Ctrl", VK_CONTROL},
                                    {"Alt", VK_MENU},
                                    {"Shift", VK_SHIFT},
                                    {"A", 'A'},
                                    {"B", 'B'},
                                    {"S", 'S'}};
  auto vk = [](const std::string& part) -> WORD {
    for (const Named& k : kKeys) {
      if (part == k.name) return k.key;
    }
    return 0;
  };
  std::vector<WORD> held;
  std::string rest = name;
  for (std::size_t plus; (plus = rest.find('+')) != std::string::npos && plus > 0;) {
    held.push_back(vk(rest.substr(0, plus)));
    rest = rest.substr(plus + 1);
  }
  std::vector<INPUT> inputs;
  for (WORD k : held) inputs.push_back(key(k, false));
  if (const WORD k = vk(rest); k != 0) {
    inputs.push_back(key(k, false));
    inputs.push_back(key(k, true));
  } else {
    for (wchar_t ch : platform_win32::wideFromUtf8(rest)) {
      inputs.push_back(character(ch, false));
      inputs.push_back(character(ch, true));
    }
  }
  for (auto it = held.rbegin(); it != held.rend(); ++it) inputs.push_back(key(*it, true));
  return inputs;
}

}  // namespace win32_ui::testing

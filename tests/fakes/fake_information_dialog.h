#pragma once
// Keeps the text of every showing of the information dialog.

#include <string>
#include <vector>

#include "info/information_dialog.h"

namespace fakes {

class FakeInformationDialog : public info::InformationDialog {
 public:
  void showModal(const std::string& freeText) override { shownTexts.push_back(freeText); }
  std::vector<std::string> shownTexts;
};

}  // namespace fakes

// Records every message box and answers from a script (default: the first button, OK/Yes).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace fakes {

struct ShownBox {
  std::wstring text;
  std::uint32_t style;
  std::wstring title;
};

class FakeMessageBoxes final : public platform::MessageBoxes {
 public:
  int Show(const std::wstring& text, std::uint32_t style, const std::wstring& title) override {
    shown.push_back({text, style, title});
    if (!answers.empty()) {
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return (style & 0xF) == platform::MB_YESNO_STYLE ? platform::IDYES_ANSWER : 1;
  }

  std::vector<ShownBox> shown;
  std::deque<int> answers;
};

}  // namespace fakes

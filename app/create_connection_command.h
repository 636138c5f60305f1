// The click of КнопкаСоздатьПодключение: look for the entry, offer to replace it, write it,
// run the optional steps the user ticked, and confirm.
#pragma once

#include <string>

#include "app/command_window.h"
#include "app/connection_steps.h"
#include "platform/message_boxes.h"

namespace app {

inline constexpr const wchar_t* kEntryDeleteFailedText = L"Ошибка удаления подключения!";
inline constexpr const wchar_t* kConnectionCreatedText = L"Подключение создано.";
inline constexpr std::uint32_t kPauseMilliseconds = 250;

std::wstring EntryExistsQuestion(const std::wstring& entryName);

// Exact, case-sensitive comparison with the names 1..n that the phonebook lists.
bool EntryExists(ConnectionSteps& steps, const std::wstring& name);

class CreateConnectionCommand {
 public:
  CreateConnectionCommand(ConnectionSteps& steps, platform::MessageBoxes& boxes)
      : steps_(steps), boxes_(boxes) {}

  // Runs the command for the window whose button was clicked. A click that arrives while a
  // run is in progress (the command lets the window handle pending messages) is ignored.
  void Click(CommandWindow& window);

 private:
  enum class Replacement { NotNeeded, Done, Refused, Failed };

  void Run(CommandWindow& window);
  Replacement ReplaceExistingEntry(CommandWindow& window);
  int Show(CommandWindow& window, const std::wstring& text, std::uint32_t style);

  ConnectionSteps& steps_;
  platform::MessageBoxes& boxes_;
  bool running_ = false;
};

}  // namespace app

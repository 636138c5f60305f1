// The click of КнопкаСоздатьПодключение: look for the entry, offer to replace it, write it,
// run the optional steps the user ticked, and confirm.
#pragma once

#include <string>

#include "app/command_window.h"
#include "platform/automation.h"
#include "platform/phonebook_service.h"

namespace app {

inline constexpr const wchar_t* kEntryDeleteFailedText = L"Ошибка удаления подключения!";
inline constexpr const wchar_t* kConnectionCreatedText = L"Подключение создано.";
inline constexpr std::uint32_t kPauseMilliseconds = 250;

std::wstring EntryExistsQuestion(const std::wstring& entryName);

// Exact, case-sensitive comparison with the names 1..n that the phonebook lists.
bool EntryExists(platform::PhonebookService& phonebook, const std::wstring& name);

class CreateConnectionCommand {
 public:
  // The command's steps reach the system through the phonebook service and the shell's
  // automation objects; its boxes, pauses and processes through platform/system.h.
  CreateConnectionCommand(platform::PhonebookService& phonebook, platform::Automation& automation)
      : phonebook_(phonebook), automation_(automation) {}

  // Runs the command for the window whose button was clicked. A click that arrives while a
  // run is in progress (the command lets the window handle pending messages) is ignored.
  // Memory that runs out ends the run with kOutOfMemoryText; the window stays usable.
  void Click(CommandWindow& window);

 private:
  enum class Replacement { NotNeeded, Done, Refused, Failed };

  void Run(CommandWindow& window);
  Replacement ReplaceExistingEntry(CommandWindow& window);
  int Show(CommandWindow& window, const std::wstring& text, std::uint32_t style);

  platform::PhonebookService& phonebook_;
  platform::Automation& automation_;
  bool running_ = false;
};

}  // namespace app

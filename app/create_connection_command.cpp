#include "app/create_connection_command.h"

#include <new>

#include "app/fatal_error.h"
#include "app/settings.h"
#include "desktop/ipfw.h"
#include "desktop/wsh.h"
#include "phonebook/entry_writes.h"
#include "phonebook/enumerate_entries.h"
#include "phonebook/vpn_entry.h"
#include "platform/system.h"

namespace app {
namespace {

constexpr int kChecked = 1;

// Clears a flag on every way out of a run, exceptions included.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

std::wstring EntryExistsQuestion(const std::wstring& entryName) {
  return L"Подключение " + entryName +
         L" существует! Для создания подключения необходимо его удалить! Удалить сейчас?";
}

bool EntryExists(platform::PhonebookService& phonebook, const std::wstring& name) {
  std::vector<std::wstring> names;
  const std::int16_t count = modRASVPN::EnumerateEntries(phonebook, names);
  for (std::int16_t i = 1; i <= count && static_cast<std::size_t>(i) < names.size(); ++i) {
    if (names[static_cast<std::size_t>(i)] == name) return true;
  }
  return false;
}

void CreateConnectionCommand::Click(CommandWindow& window) {
  if (running_) return;
  RunningFlag flag(running_);
  try {
    Run(window);
  } catch (const std::bad_alloc&) {
    // Whatever the run held is released by now and the window is as it was before the click:
    // the user is told, and may click again.
    Show(window, kOutOfMemoryText, platform::MB_OK_STYLE | platform::MB_ICONCRITICAL_STYLE);
  }
}

int CreateConnectionCommand::Show(CommandWindow& window, const std::wstring& text,
                                  std::uint32_t style) {
  // The caption is read afresh for every box.
  return platform::ShowMessageBox(text, style, window.Caption());
}

CreateConnectionCommand::Replacement CreateConnectionCommand::ReplaceExistingEntry(
    CommandWindow& window) {
  if (!EntryExists(phonebook_, basMain::EntryName)) return Replacement::NotNeeded;

  const int answer = Show(window, EntryExistsQuestion(basMain::EntryName),
                          platform::MB_YESNO_STYLE | platform::MB_ICONQUESTION_STYLE);
  if (answer == platform::IDNO_ANSWER) return Replacement::Refused;
  if (answer != platform::IDYES_ANSWER) return Replacement::NotNeeded;

  // The entry goes first: if the service keeps it, the user keeps its shortcut too. The
  // shortcut is found before, so that nothing can stop its deletion once the entry is gone.
  const std::string shortcut = Wsh::ConnectionShortcutFile(automation_, basMain::EntryName);
  if (modRASVPN::DeleteEntry(phonebook_, basMain::EntryName) != platform::kSuccess) {
    Show(window, kEntryDeleteFailedText, platform::MB_OK_STYLE | platform::MB_ICONCRITICAL_STYLE);
    return Replacement::Failed;
  }
  Wsh::DeleteShortcutFile(shortcut);
  return Replacement::Done;
}

void CreateConnectionCommand::Run(CommandWindow& window) {
  const Replacement replacement = ReplaceExistingEntry(window);
  if (replacement == Replacement::Refused || replacement == Replacement::Failed) return;

  window.ProcessPendingMessages();
  const bool written = VPN::CreateVpnEntry(phonebook_);
  platform::Sleep(kPauseMilliseconds);
  // The connection's name, made from the setting as it reads now.
  if (window.ShortcutValue() == kChecked)
    Wsh::CreateConnectionShortcut(automation_, basMain::ProviderName + basMain::EntryNameSuffix);
  platform::Sleep(kPauseMilliseconds);
  if (window.FirewallValue() == kChecked) IpFw::ResetFirewall();

  // A refused write has already shown the service's reason; confirming it would report a
  // failure as success.
  if (written) {
    Show(window, kConnectionCreatedText,
         platform::MB_OK_STYLE | platform::MB_ICONINFORMATION_STYLE);
  }
}

}  // namespace app

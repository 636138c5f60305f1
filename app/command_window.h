// What the create-connection command reads from, and asks of, the main window.
#pragma once

#include <string>

namespace app {

class CommandWindow {
 public:
  virtual ~CommandWindow() = default;
  // The window's caption as it reads now: the title of the command's message boxes.
  virtual std::wstring Caption() const = 0;
  // Check-box values: 0 unchecked, 1 checked, 2 greyed.
  virtual int ShortcutValue() const = 0;  // Ярлык
  virtual int FirewallValue() const = 0;  // ВключитьФайервол
  // Lets the window handle the messages that are waiting now, once.
  virtual void ProcessPendingMessages() = 0;
};

}  // namespace app

// The program's wiring: the real services of the phonebook layer, owned together and handed
// out as one aggregate.
#pragma once

#include "phonebook/phonebook_services.h"
#include "platform/win32/ras_phonebook_service.h"
#include "platform/win32/windows_ansi_code_page.h"
#include "platform/win32/windows_event_log.h"
#include "platform/win32/windows_local_memory.h"
#include "platform/win32/windows_system_messages.h"

namespace platform::win32 {

struct WindowsPhonebookServices {
  RasPhonebookService service;
  WindowsAnsiCodePage ansi;
  WindowsLocalMemory memory;
  WindowsEventLog eventLog;
  WindowsSystemMessages systemMessages;

  modRASVPN::Services Get() { return {service, ansi, memory, eventLog, systemMessages}; }
};

}  // namespace platform::win32

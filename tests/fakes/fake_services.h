// The phonebook layer's services, all faked, with Windows-1251 as the ANSI code page.
#pragma once

#include "phonebook/phonebook_services.h"
#include "tests/fakes/cp1251_code_page.h"
#include "tests/fakes/fake_event_log.h"
#include "tests/fakes/fake_local_memory.h"
#include "tests/fakes/fake_phonebook_service.h"
#include "tests/fakes/fake_system_messages.h"

namespace fakes {

struct FakeServices {
  FakePhonebookService service;
  Cp1251CodePage ansi;
  FakeLocalMemory memory;
  FakeEventLog eventLog;
  FakeSystemMessages systemMessages;

  modRASVPN::Services Get() { return {service, ansi, memory, eventLog, systemMessages}; }
};

}  // namespace fakes

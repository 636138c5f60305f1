// The system services the phonebook layer reaches, handed to its operations as one aggregate.
#pragma once

#include "platform/ansi_code_page.h"
#include "platform/event_log.h"
#include "platform/local_memory.h"
#include "platform/phonebook_service.h"
#include "platform/system_messages.h"

namespace modRASVPN {

using platform::ResultCode;

struct Services {
  platform::PhonebookService& service;
  const platform::AnsiCodePage& ansi;
  platform::LocalMemory& memory;
  platform::EventLog& eventLog;
  platform::SystemMessages& systemMessages;
};

}  // namespace modRASVPN

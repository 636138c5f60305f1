// The check's platform::ReportError: what the program's code would write to the application
// event log is kept for the report, and the machine's log stays as it was.
#include "check/phonebook_row.h"
#include "platform/system.h"

void platform::ReportError(const std::wstring& text) { check::HeldEventLog().push_back(text); }

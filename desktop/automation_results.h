// The readings of a late-bound result that the desktop steps need. Each throws
// platform::AutomationError for a result of another kind, as a script would stop on it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation.h"

namespace desktop {

// An object, or null when the result is nothing.
std::unique_ptr<platform::AutomationObject> AsObject(platform::AutomationResult result);
// An object that must be there.
std::unique_ptr<platform::AutomationObject> AsRequiredObject(platform::AutomationResult result);
// A text; nothing reads as an empty text, numbers as their decimal digits.
std::wstring AsText(const platform::AutomationResult& result);
// A count.
std::int32_t AsInteger(const platform::AutomationResult& result);

}  // namespace desktop

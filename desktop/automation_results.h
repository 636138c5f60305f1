// The readings of a late-bound result that the desktop steps need. Each throws
// platform::AutomationError for a result of another kind, as a script would stop on it.
#pragma once

#include <cstdint>
#include <functional>
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

// Walks a collection in its own order: Count once, then Item(0) .. Item(Count - 1) with 32-bit
// indexes. Every collection of the shell answers these (not every one has an enumerator). Each
// item is released before the next is asked for; an index that answers nothing is passed over.
// Answers the count.
std::int32_t ForEachItem(platform::AutomationObject& collection,
                 const std::function<void(platform::AutomationObject& item)>& visit);

}  // namespace desktop

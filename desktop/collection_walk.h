// Walks an automation collection item by item, in the collection's own order.
#pragma once

#include <functional>

#include "platform/automation.h"

namespace desktop {

// Count once, then Item(0) .. Item(Count - 1) with 32-bit indexes. Every collection of the
// shell answers these (not every one has an enumerator). Each item is released before the
// next is asked for; an index that answers nothing is passed over.
void ForEachItem(platform::AutomationObject& collection,
                 const std::function<void(platform::AutomationObject& item)>& visit);

}  // namespace desktop

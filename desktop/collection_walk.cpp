#include "desktop/collection_walk.h"

#include <cstdint>

#include "desktop/automation_results.h"

namespace desktop {

void ForEachItem(platform::AutomationObject& collection,
                 const std::function<void(platform::AutomationObject& item)>& visit) {
  const std::int32_t count = AsInteger(collection.Get(L"Count", {}));
  for (std::int32_t index = 0; index < count; ++index) {
    auto item = AsObject(collection.Get(L"Item", {index}));
    if (item) visit(*item);
  }
}

}  // namespace desktop

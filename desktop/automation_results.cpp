#include "desktop/automation_results.h"

#include <type_traits>
#include <utility>

#include "platform/number_text.h"

namespace desktop {

using platform::AutomationError;
using platform::AutomationObject;
using platform::AutomationResult;

std::unique_ptr<AutomationObject> AsObject(AutomationResult result) {
  if (std::holds_alternative<std::monostate>(result)) return nullptr;
  auto* object = std::get_if<std::unique_ptr<AutomationObject>>(&result);
  if (object == nullptr) throw AutomationError("an object was expected");
  return std::move(*object);
}

std::unique_ptr<AutomationObject> AsRequiredObject(AutomationResult result) {
  auto object = AsObject(std::move(result));
  if (!object) throw AutomationError("an object was expected, nothing came back");
  return object;
}

std::wstring AsText(const AutomationResult& result) {
  return std::visit(
      [](const auto& value) -> std::wstring {
        using Value = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, std::monostate>) {
          return {};
        } else if constexpr (std::is_same_v<Value, std::wstring>) {
          return value;
        } else if constexpr (std::is_integral_v<Value>) {
          return platform::DecimalText(value);
        } else {
          throw AutomationError("a text was expected, an object came back");
        }
      },
      result);
}

std::int32_t AsInteger(const AutomationResult& result) {
  if (const auto* value = std::get_if<std::int32_t>(&result)) return *value;
  if (const auto* value = std::get_if<std::int16_t>(&result)) return *value;
  throw AutomationError("an integer was expected");
}

std::int32_t ForEachItem(platform::AutomationObject& collection,
                         const std::function<void(platform::AutomationObject& item)>& visit) {
  const std::int32_t count = AsInteger(collection.Get(L"Count", {}));
  for (std::int32_t index = 0; index < count; ++index) {
    auto item = AsObject(collection.Get(L"Item", {index}));
    if (item) visit(*item);
  }
  return count;
}

}  // namespace desktop

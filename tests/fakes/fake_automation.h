// Fake automation objects that write every call and every release into one shared log,
// and fail the call whose log line equals failAt.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/automation.h"

namespace fakes {

struct AutomationLog {
  std::vector<std::wstring> events;
  std::wstring failAt;  // e.g. L"item0.Name()"; empty: nothing fails
  int live = 0;         // objects created and not yet released

  void Record(const std::wstring& event) {
    events.push_back(event);
    if (event == failAt) throw platform::AutomationError("injected failure");
  }
  bool Contains(const std::wstring& event) const {
    for (const auto& each : events)
      if (each == event) return true;
    return false;
  }
};

class FakeObject final : public platform::AutomationObject {
 public:
  using GetHandler = std::function<platform::AutomationResult(const std::wstring& member,
                                                              const platform::AutomationArguments&)>;

  FakeObject(AutomationLog& log, std::wstring label, GetHandler get = {})
      : log_(log), label_(std::move(label)), get_(std::move(get)) {
    ++log_.live;
  }
  ~FakeObject() override {
    --log_.live;
    log_.events.push_back(L"release " + label_);
  }

  const std::wstring& label() const { return label_; }

  platform::AutomationResult Get(const std::wstring& member,
                                 const platform::AutomationArguments& arguments) override {
    log_.Record(Describe(member, arguments));
    if (!get_) throw platform::AutomationError("no such member");
    return get_(member, arguments);
  }
  void Call(const std::wstring& member, const platform::AutomationArguments& arguments) override {
    log_.Record(Describe(member, arguments));
  }

 private:
  std::wstring Describe(const std::wstring& member,
                        const platform::AutomationArguments& arguments) const {
    std::wstring text = label_ + L"." + member + L"(";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      if (i > 0) text += L",";
      std::visit(
          [&text](const auto& value) {
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, std::int16_t>) {
              text += L"i16:" + std::to_wstring(value);
            } else if constexpr (std::is_same_v<Value, std::int32_t>) {
              text += L"i32:" + std::to_wstring(value);
            } else if constexpr (std::is_same_v<Value, std::wstring>) {
              text += L"\"" + value + L"\"";
            } else {
              const auto* fake = dynamic_cast<const FakeObject*>(value);
              text += L"&" + (fake ? fake->label() : std::wstring(L"?"));
            }
          },
          arguments[i]);
    }
    return text + L")";
  }

  AutomationLog& log_;
  std::wstring label_;
  GetHandler get_;
};

// Shell.Application with a connections folder of the given item names, and WScript.Shell.
class FakeAutomation final : public platform::Automation {
 public:
  AutomationLog log;
  std::vector<std::wstring> connectionNames;
  platform::AutomationResult desktopPath = std::wstring(L"C:\\Users\\Анна\\Desktop");

  std::unique_ptr<platform::AutomationObject> Create(const std::wstring& progId) override {
    log.Record(L"create " + progId);
    if (progId == L"Shell.Application")
      return std::make_unique<FakeObject>(log, L"shell", [this](auto& member, auto& arguments) {
        return Shell(member, arguments);
      });
    if (progId == L"WScript.Shell")
      return std::make_unique<FakeObject>(log, L"wsh", [this](auto&, auto&) {
        return Copy(desktopPath);
      });
    throw platform::AutomationError("class not registered");
  }

 private:
  platform::AutomationResult Shell(const std::wstring& member,
                                   const platform::AutomationArguments& arguments) {
    if (member != L"NameSpace" || arguments.size() != 1) return {};
    const auto* number = std::get_if<std::int16_t>(&arguments[0]);
    if (number != nullptr && *number == 49)
      return std::make_unique<FakeObject>(log, L"connections", [this](auto&, auto&) {
        return Items();
      });
    if (number != nullptr && *number == 0)
      return std::make_unique<FakeObject>(log, L"desktop");
    return {};
  }

  platform::AutomationResult Items() {
    return std::make_unique<FakeObject>(log, L"items", [this](auto& member, auto& arguments) {
      if (member == L"Count")
        return platform::AutomationResult(static_cast<std::int32_t>(connectionNames.size()));
      const auto index = std::get<std::int32_t>(arguments.at(0));
      const std::wstring name = connectionNames.at(static_cast<std::size_t>(index));
      return platform::AutomationResult(std::make_unique<FakeObject>(
          log, L"item" + std::to_wstring(index),
          [name](auto&, auto&) { return platform::AutomationResult(name); }));
    });
  }

  static platform::AutomationResult Copy(const platform::AutomationResult& value) {
    if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
    return {};
  }
};

}  // namespace fakes

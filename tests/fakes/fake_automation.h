// Fake automation: Shell.Application with a connections folder of the given item names, and
// WScript.Shell with the given desktop folder. Every call and every release goes into the
// system's journal ("label.Member(arguments)", "release label"); the call whose line is
// failAt fails, the one whose line is nothingAt answers nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/automation.h"
#include "tests/fakes/system.h"

namespace fakes {

struct FakeAutomation;

class FakeObject final : public platform::AutomationObject {
 public:
  using Answer = std::function<platform::AutomationResult(const std::wstring& member,
                                                          const platform::AutomationArguments&)>;

  FakeObject(FakeAutomation& owner, std::wstring label, Answer answer = {});
  ~FakeObject() override;

  platform::AutomationResult Get(const std::wstring& member,
                                 const platform::AutomationArguments& arguments) override;
  void Call(const std::wstring& member, const platform::AutomationArguments& arguments) override {
    (void)Get(member, arguments);
  }
  const std::wstring& label() const { return label_; }

 private:
  FakeAutomation& owner_;
  std::wstring label_;
  Answer answer_;
};

struct FakeAutomation final : platform::Automation {
  std::vector<std::wstring> connectionNames;
  std::wstring desktopPath = L"C:\\Users\\Анна\\Desktop";
  std::wstring failAt, nothingAt;
  int live = 0;  // objects created and not yet released

  std::unique_ptr<platform::AutomationObject> Create(const std::wstring& progId) override {
    Journal(L"create " + progId);
    const bool known = progId == L"WScript.Shell" || progId == L"Shell.Application";
    if (!known || L"create " + progId == failAt) throw platform::AutomationError("no such class");
    if (progId == L"WScript.Shell")
      return Object(L"wsh",
                    [this](auto&, auto&) { return platform::AutomationResult(desktopPath); });
    return Object(L"shell", [this](auto&, const platform::AutomationArguments& arguments) {
      if (std::get<std::int16_t>(arguments.at(0)) != 49)
        return platform::AutomationResult(Object(L"desktop"));
      return platform::AutomationResult(Object(L"connections", [this](auto&, auto&) {
        return platform::AutomationResult(Items());
      }));
    });
  }

 private:
  std::unique_ptr<FakeObject> Object(std::wstring label, FakeObject::Answer answer = {}) {
    return std::make_unique<FakeObject>(*this, std::move(label), std::move(answer));
  }
  std::unique_ptr<FakeObject> Items() {
    return Object(L"items", [this](const std::wstring& member, auto& arguments) {
      if (member == L"Count")
        return platform::AutomationResult(static_cast<std::int32_t>(connectionNames.size()));
      const auto index = static_cast<std::size_t>(std::get<std::int32_t>(arguments.at(0)));
      const std::wstring name = connectionNames.at(index);
      const auto answer = [name](auto&, auto&) { return platform::AutomationResult(name); };
      return platform::AutomationResult(Object(L"item" + std::to_wstring(index), answer));
    });
  }
};

inline FakeObject::FakeObject(FakeAutomation& owner, std::wstring label, Answer answer)
    : owner_(owner), label_(std::move(label)), answer_(std::move(answer)) {
  ++owner_.live;
}

inline FakeObject::~FakeObject() {
  --owner_.live;
  Journal(L"release " + label_);
}

inline platform::AutomationResult FakeObject::Get(const std::wstring& member,
                                                  const platform::AutomationArguments& arguments) {
  std::wstring line = label_ + L"." + member + L"(";
  for (const auto& argument : arguments) {
    if (&argument != &arguments.front()) line += L",";
    std::visit(
        [&line](const auto& value) {
          using Value = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, std::int16_t>) {
            line += L"i16:" + std::to_wstring(value);
          } else if constexpr (std::is_same_v<Value, std::int32_t>) {
            line += L"i32:" + std::to_wstring(value);
          } else if constexpr (std::is_same_v<Value, std::wstring>) {
            line += L"\"" + value + L"\"";
          } else {
            const auto* fake = dynamic_cast<const FakeObject*>(value);
            line += L"&" + (fake ? fake->label() : std::wstring(L"?"));
          }
        },
        argument);
  }
  line += L")";
  Journal(line);
  if (line == owner_.failAt) throw platform::AutomationError("injected failure");
  if (line == owner_.nothingAt || !answer_) return {};
  return answer_(member, arguments);
}

}  // namespace fakes

// Fake automation: Shell.Application with a connections folder of the given item names (or of
// the entries a phonebook holds, as Windows shows them) whose CopyHere onto the desktop makes
// "<desktop>\<name>.lnk" among the system's files, and WScript.Shell with the given desktop
// folder. Every call and every release goes into the system's journal ("label.Member(arguments)",
// "release label"); each call is one of the system's that may fail (fakes::Fallible): with an
// error, or, where it answers something, with nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/automation.h"
#include "tests/fakes/fake_phonebook_service.h"
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
                                 const platform::AutomationArguments& arguments) override {
    if (!Answers(member, arguments, {L"an error", L"nothing"})) return {};
    return answer_(member, arguments);
  }
  void Call(const std::wstring& member, const platform::AutomationArguments& arguments) override {
    if (Answers(member, arguments, {L"an error"})) answer_(member, arguments);
  }
  const std::wstring& label() const { return label_; }
  std::wstring name;  // an item's, for the desktop's CopyHere

 private:
  // Journals the call; throws where it fails, false where it answers nothing.
  bool Answers(const std::wstring& member, const platform::AutomationArguments& arguments,
               const std::vector<const wchar_t*>& ways);

  FakeAutomation& owner_;
  std::wstring label_;
  Answer answer_;
};

struct FakeAutomation final : platform::Automation {
  std::vector<std::wstring> connectionNames;
  const FakePhonebookService* phonebook = nullptr;  // when set, its entries are the connections
  std::wstring desktopPath = L"C:\\Users\\Анна\\Desktop";
  int live = 0;  // objects created and not yet released

  std::unique_ptr<platform::AutomationObject> Create(const std::wstring& progId) override {
    {
      const SystemSide bookkeeping;
      Journal(L"create " + progId);
      const bool known = progId == L"WScript.Shell" || progId == L"Shell.Application";
      if (Fallible(L"create " + progId, {L"an error"}) || !known)
        throw platform::AutomationError("no such class");
    }
    if (progId == L"WScript.Shell")
      return Object(L"wsh", [this](auto&, const platform::AutomationArguments& arguments) {
        const auto* folder = std::get_if<std::wstring>(&arguments.at(0));
        const bool desktop = arguments.size() == 1 && folder && *folder == L"Desktop";
        return platform::AutomationResult(desktop ? desktopPath : L"");
      });
    return Object(L"shell", [this](auto&, const platform::AutomationArguments& arguments) {
      const std::int16_t folder = std::get<std::int16_t>(arguments.at(0));
      if (folder != 0 && folder != 49) return platform::AutomationResult();
      if (folder == 0)
        return platform::AutomationResult(Object(L"desktop", [this](auto&, auto& copied) {
          const auto* item = dynamic_cast<const FakeObject*>(
              std::get<platform::AutomationObject*>(copied.at(0)));
          const SystemSide bookkeeping;
          TheSystem().files.insert(desktopPath + L"\\" + item->name + L".lnk");
          return platform::AutomationResult();
        }));
      return platform::AutomationResult(Object(L"connections", [this](auto&, auto&) {
        return platform::AutomationResult(Items());
      }));
    });
  }

 private:
  std::unique_ptr<FakeObject> Object(std::wstring label, FakeObject::Answer answer = {}) {
    return std::make_unique<FakeObject>(*this, std::move(label), std::move(answer));
  }
  std::vector<std::wstring> Connections() const {
    if (phonebook == nullptr) return connectionNames;
    const SystemSide bookkeeping;
    std::vector<std::wstring> names;
    for (const auto& entry : phonebook->stored) names.push_back(Cp1251(entry.first));
    return names;
  }
  std::unique_ptr<FakeObject> Items() {
    return Object(L"items", [this](const std::wstring& member, auto& arguments) {
      const std::vector<std::wstring> names = Connections();
      if (member == L"Count")
        return platform::AutomationResult(static_cast<std::int32_t>(names.size()));
      const auto index = static_cast<std::size_t>(std::get<std::int32_t>(arguments.at(0)));
      const std::wstring name = names.at(index);
      auto item = Object(L"item" + std::to_wstring(index),
                         [name](auto&, auto&) { return platform::AutomationResult(name); });
      item->name = name;
      return platform::AutomationResult(std::move(item));
    });
  }
};

inline FakeObject::FakeObject(FakeAutomation& owner, std::wstring label, Answer answer)
    : owner_(owner), label_(std::move(label)), answer_(std::move(answer)) {
  ++owner_.live;
}

inline FakeObject::~FakeObject() {
  const SystemSide bookkeeping;
  --owner_.live;
  Journal(L"release " + label_);
}

inline bool FakeObject::Answers(const std::wstring& member,
                                const platform::AutomationArguments& arguments,
                                const std::vector<const wchar_t*>& ways) {
  const SystemSide bookkeeping;
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
  const auto way = Fallible(line, ways);
  if (way && *way == 0) throw platform::AutomationError("injected failure");
  return !way && answer_;
}

}  // namespace fakes

// Late-bound automation objects: created by their registered name and addressed by member
// name at run time. Every object is released when its owner goes away.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace platform {

// Any failing automation step: an object that cannot be created, a member that is missing
// or fails, a result of a kind the caller cannot use. Not a std::runtime_error: that type
// alone would bring the library's copy-on-write strings into the program file.
class AutomationError : public std::exception {
 public:
  explicit AutomationError(std::string what) : what_(std::move(what)) {}
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::string what_;
};

class AutomationObject;

// One argument of a call. An object argument is lent, not handed over: the callee receives
// a reference to the caller's variable that holds it.
using AutomationArgument =
    std::variant<std::int16_t, std::int32_t, std::wstring, AutomationObject*>;
using AutomationArguments = std::vector<AutomationArgument>;

// A result: nothing (empty, or no object), a 16- or 32-bit integer, a text, or an object
// that now belongs to the caller.
using AutomationResult = std::variant<std::monostate, std::int16_t, std::int32_t, std::wstring,
                                      std::unique_ptr<AutomationObject>>;

class AutomationObject {
 public:
  virtual ~AutomationObject() = default;  // releases the object
  // Reads a property, or calls a method for its result, the way a script does.
  virtual AutomationResult Get(const std::wstring& member, const AutomationArguments& arguments) = 0;
  // Calls a method; whatever it answers is dropped.
  virtual void Call(const std::wstring& member, const AutomationArguments& arguments) = 0;
};

class Automation {
 public:
  virtual ~Automation() = default;
  // Creates the object registered under progId on this machine (no server name). Never null.
  virtual std::unique_ptr<AutomationObject> Create(const std::wstring& progId) = 0;
};

}  // namespace platform

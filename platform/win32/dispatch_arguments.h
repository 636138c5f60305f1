// The DISPPARAMS of one Invoke, built from the program's arguments and cleared afterwards.
#pragma once

#include <oaidl.h>

#include <deque>
#include <vector>

#include "platform/automation.h"
#include "platform/win32/unique_variant.h"

namespace platform::win32 {

class DispatchArguments {
 public:
  // Throws AutomationError for an object argument that is not one of the system's.
  explicit DispatchArguments(const AutomationArguments& arguments);
  ~DispatchArguments();
  DispatchArguments(const DispatchArguments&) = delete;
  DispatchArguments& operator=(const DispatchArguments&) = delete;

  DISPPARAMS* get() { return &parameters_; }

 private:
  void Add(VARIANT& slot, const AutomationArgument& argument);

  // Invoke takes its arguments last to first.
  std::vector<VARIANT> reversed_;
  // The variables that object arguments refer to (VT_BYREF | VT_VARIANT); stable addresses.
  std::deque<UniqueVariant> referents_;
  DISPPARAMS parameters_{};
};

}  // namespace platform::win32

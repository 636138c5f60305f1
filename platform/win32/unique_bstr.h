// Owner of one BSTR (SysAllocStringLen / SysFreeString, bound at run time).
#pragma once

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/automation.h"
#include "platform/win32/bound_functions.h"

namespace platform::win32 {

// A BSTR carries its length: embedded zeros survive, a null BSTR is an empty text.
inline std::wstring BstrText(BSTR value) {
  return value == nullptr ? std::wstring()
                          : std::wstring(value, bound::Call(bound::SysStringLen, 0u, value));
}

class UniqueBstr {
 public:
  // Throws AutomationError where oleaut32 cannot be had or its allocator refuses the text: a
  // step that cannot hand a text to an object fails as any other automation step does.
  explicit UniqueBstr(std::wstring_view text) {
    auto* allocate = bound::Find(bound::SysAllocStringLen);
    if (allocate == nullptr) throw AutomationError("oleaut32 cannot be had");
    value_ = allocate(text.data(), static_cast<UINT>(text.size()));
    if (value_ == nullptr) throw AutomationError("no memory for a text");
  }
  ~UniqueBstr() { bound::CallIfBound(bound::SysFreeString, value_); }  // null: nothing to free
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;

  BSTR get() const { return value_; }
  BSTR release() { return std::exchange(value_, nullptr); }

 private:
  BSTR value_ = nullptr;
};

}  // namespace platform::win32

// Owner of one BSTR (SysAllocStringLen / SysFreeString, bound at run time).
#pragma once

#include <oleauto.h>

#include <new>
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
  UniqueBstr() = default;
  // Throws AutomationError where oleaut32 cannot be had, std::bad_alloc where it has no memory.
  explicit UniqueBstr(std::wstring_view text) {
    auto* allocate = bound::Find(bound::SysAllocStringLen);
    if (allocate == nullptr) throw AutomationError("oleaut32 cannot be had");
    value_ = allocate(text.data(), static_cast<UINT>(text.size()));
    if (value_ == nullptr) throw std::bad_alloc();
  }
  ~UniqueBstr() { reset(); }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  UniqueBstr(UniqueBstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = std::exchange(other.value_, nullptr);
    }
    return *this;
  }

  BSTR get() const { return value_; }
  BSTR* put() {
    reset();
    return &value_;
  }
  BSTR release() { return std::exchange(value_, nullptr); }
  void reset() {
    if (BSTR old = std::exchange(value_, nullptr)) bound::CallIfBound(bound::SysFreeString, old);
  }
  std::wstring text() const { return BstrText(value_); }

 private:
  BSTR value_ = nullptr;
};

}  // namespace platform::win32

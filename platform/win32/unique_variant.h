// Owner of one VARIANT: empty at first, cleared (VariantClear, bound at run time) when it goes
// or is reused.
#pragma once

#include <oleauto.h>

#include <utility>

#include "platform/win32/bound_functions.h"

namespace platform::win32 {

class UniqueVariant {
 public:
  // All zero is VT_EMPTY, which is all that VariantInit does.
  UniqueVariant() = default;
  ~UniqueVariant() { Clear(value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  UniqueVariant(UniqueVariant&& other) noexcept : value_(std::exchange(other.value_, VARIANT{})) {}

  VARIANT* get() { return &value_; }
  const VARIANT* get() const { return &value_; }
  VARTYPE type() const { return V_VT(&value_); }
  // For an out parameter: whatever was held is cleared first.
  VARIANT* put() {
    Clear(value_);
    return &value_;
  }

  // Frees what the VARIANT holds and leaves it empty.
  static void Clear(VARIANT& value) { bound::CallIfBound(bound::VariantClear, &value); }

 private:
  VARIANT value_{};
};

}  // namespace platform::win32

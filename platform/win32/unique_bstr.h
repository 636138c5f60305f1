// Owner of one BSTR (SysAllocStringLen / SysFreeString).
#pragma once

#include <oleauto.h>

#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace platform::win32 {

class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(std::wstring_view text)
      : value_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
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
    if (BSTR old = std::exchange(value_, nullptr)) ::SysFreeString(old);
  }
  // A BSTR carries its length: embedded zeros survive, a null BSTR is an empty text.
  std::wstring text() const {
    return value_ == nullptr ? std::wstring() : std::wstring(value_, ::SysStringLen(value_));
  }

 private:
  BSTR value_ = nullptr;
};

}  // namespace platform::win32

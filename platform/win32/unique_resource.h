// Small RAII owners for Windows handles and memory. Every resource the program takes from
// the system is held by one of these, so that every path out of a function gives it back.
#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

template <typename T, auto Release, T Invalid = T{}>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  ~UniqueResource() { reset(); }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(std::exchange(other.value_, Invalid)) {}
  UniqueResource& operator=(UniqueResource&&) = delete;

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Invalid; }
  T release() { return std::exchange(value_, Invalid); }
  void reset(T value = Invalid) {
    if (value_ != Invalid) Release(value_);
    value_ = value;
  }

 private:
  T value_ = Invalid;
};

namespace detail {
inline void ReleaseHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void ReleaseEventSource(HANDLE source) { ::DeregisterEventSource(source); }
}  // namespace detail

using UniqueHandle = UniqueResource<HANDLE, detail::ReleaseHandle>;
using UniqueEventSource = UniqueResource<HANDLE, detail::ReleaseEventSource>;

}  // namespace platform::win32

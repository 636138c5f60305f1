// Owner of one COM interface pointer: Release when it goes, AddRef only where asked.
#pragma once

#include <unknwn.h>

#include <utility>

namespace platform::win32 {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds (an out parameter's, a factory's).
  explicit ComPtr(Interface* pointer) : pointer_(pointer) {}
  // Takes a reference of its own to a pointer someone else holds.
  static ComPtr Retain(Interface* pointer) {
    if (pointer != nullptr) pointer->AddRef();
    return ComPtr(pointer);
  }
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For an out parameter: the old pointer is released first.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  Interface* release() { return std::exchange(pointer_, nullptr); }
  void reset() {
    if (Interface* old = std::exchange(pointer_, nullptr)) old->Release();
  }

  // QueryInterface; an empty pointer when the object does not have that interface.
  template <typename Other>
  ComPtr<Other> As(REFIID iid) const {
    ComPtr<Other> other;
    if (pointer_ != nullptr && FAILED(pointer_->QueryInterface(iid, other.put_void())))
      other.reset();
    return other;
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace platform::win32

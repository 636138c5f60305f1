// COM on the calling thread: an apartment-threaded apartment, entered once per thread.
#pragma once

#include <objbase.h>

namespace platform::win32 {

// Enters the apartment for its lifetime; leaves it only if it was the one that entered.
// Where ole32 cannot be had, COM cannot be used.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // A thread already in a multithreaded apartment can use COM all the same.
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// The calling thread's apartment, entered the first time it is asked for and kept until the
// thread ends. False when COM cannot be used on this thread.
bool EnsureComApartment();

}  // namespace platform::win32

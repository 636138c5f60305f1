#include "platform/win32/com_apartment.h"

#include "platform/win32/bound_functions.h"

namespace platform::win32 {

ComApartment::ComApartment()
    : result_(bound::Call(bound::CoInitializeEx, bound::kNotBound, nullptr,
                          COINIT_APARTMENTTHREADED)) {}

ComApartment::~ComApartment() {
  if (SUCCEEDED(result_)) bound::CallIfBound(bound::CoUninitialize);
}

bool EnsureComApartment() {
  thread_local const ComApartment apartment;
  return apartment.usable();
}

}  // namespace platform::win32

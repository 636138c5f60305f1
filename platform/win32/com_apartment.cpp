#include "platform/win32/com_apartment.h"

namespace platform::win32 {

bool EnsureComApartment() {
  thread_local const ComApartment apartment;
  return apartment.usable();
}

}  // namespace platform::win32

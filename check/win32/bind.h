// Functions the check asks of system DLLs that some Windows lack, bound at run time by name
// with a signature of the Windows headers (decltype of the declaration) or, where this SDK
// does not declare it for the Windows the check builds for, the documented one.
#pragma once

#include <windows.h>

namespace check::win32 {

template <typename Signature>
Signature* Bind(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Signature*>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace check::win32

// The function named, bound with the signature the Windows headers declare for it.
#define CHECK_BIND(module, name) ::check::win32::Bind<decltype(::name)>(module, #name)

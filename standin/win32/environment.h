// The stand-in's environment variables (see standin/options.h), read at every call.
#pragma once

#include <optional>
#include <string>

#include "standin/options.h"

namespace standin::win32 {

// nullopt when the variable is not set or empty.
std::optional<std::string> NarrowEnvironment(const char* name);
std::optional<std::wstring> WideEnvironment(const wchar_t* name);

Options OptionsFromEnvironment();

}  // namespace standin::win32

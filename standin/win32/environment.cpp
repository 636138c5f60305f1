#include "standin/win32/environment.h"

#include <windows.h>

namespace standin::win32 {
namespace {

template <typename Char, typename Read>
std::optional<std::basic_string<Char>> ReadVariable(Read read) {
  std::basic_string<Char> value(64, Char{});
  for (;;) {
    const DWORD length = read(value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return std::nullopt;
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);  // the size needed, terminator included
  }
}

}  // namespace

std::optional<std::string> NarrowEnvironment(const char* name) {
  return ReadVariable<char>([name](char* buffer, DWORD size) {
    return ::GetEnvironmentVariableA(name, buffer, size);
  });
}

std::optional<std::wstring> WideEnvironment(const wchar_t* name) {
  return ReadVariable<wchar_t>([name](wchar_t* buffer, DWORD size) {
    return ::GetEnvironmentVariableW(name, buffer, size);
  });
}

Options OptionsFromEnvironment() { return ParseOptions(NarrowEnvironment); }

}  // namespace standin::win32

#include "standin/win32/phonebook_location.h"

#include <windows.h>
#include <shlobj.h>

#include "standin/win32/environment.h"

namespace standin::win32 {
namespace {

constexpr const wchar_t* kDefaultPhonebook =
    L"\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";

std::optional<std::wstring> FromAnsi(const char* text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length) != length)
    return std::nullopt;
  wide.resize(static_cast<std::size_t>(length) - 1);
  return wide;
}

std::optional<std::wstring> ProgramData() {
  wchar_t folder[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                   folder)))
    return std::wstring(folder);
  return WideEnvironment(L"ProgramData");
}

}  // namespace

std::optional<std::wstring> PhonebookFilePath(const char* phonebook) {
  if (phonebook != nullptr && *phonebook != '\0') return FromAnsi(phonebook);
  if (auto chosen = WideEnvironment(L"DIALWRIGHT_STANDIN_PHONEBOOK")) return chosen;
  auto folder = ProgramData();
  if (!folder) return std::nullopt;
  return *folder + kDefaultPhonebook;
}

}  // namespace standin::win32

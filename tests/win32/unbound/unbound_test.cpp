// Each step of the program that needs a library bound at run time, where the library or its
// functions cannot be had: it fails the way that step already fails, and nothing crashes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "desktop/wsh.h"
#include "platform/system.h"
#include "platform/win32/dll_search_hardening.h"
#include "platform/win32/ras_phonebook_service.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_automation.h"

namespace {

std::vector<std::wstring> journal;
std::map<std::wstring, int> loads;  // how often each library was asked for

bool Hollow() {
  char kind[16] = {};
  return ::GetEnvironmentVariableA("DIALWRIGHT_UNBOUND", kind, sizeof kind) &&
         std::string(kind) == "hollow";
}

}  // namespace

// Stands in for the program's loader: no library at all, or this program's own module, which
// exports none of the functions asked for.
HMODULE platform::win32::LoadSystemLibrary(const wchar_t* fileName) {
  ++loads[fileName];
  if (!Hollow()) return nullptr;
  if (std::wstring(fileName) == L"ole32.dll") return ::LoadLibraryW(fileName);
  return ::GetModuleHandleW(nullptr);
}

int platform::ShowMessageBox(const std::wstring& text, std::uint32_t style, const std::wstring&) {
  journal.push_back(L"box " + std::to_wstring(style) + L" " + text);
  return 1;
}

bool platform::DeleteFileA(const std::string&) {
  journal.emplace_back(L"DeleteFileA");
  return false;
}

TEST(Unbound, EachStepFailsItsOwnWay) {
  // The phonebook calls answer their result code.
  platform::win32::RasPhonebookService phonebook;
  phonebook.Load();
  std::uint32_t bytes = 264, count = 0, size = 0;
  char text[512] = {};
  EXPECT_EQ(phonebook.RasEnumEntriesA(text, bytes, count), platform::win32::kServiceUnavailable);
  EXPECT_EQ(phonebook.RasGetEntryPropertiesA(size), platform::win32::kServiceUnavailable);
  EXPECT_EQ(phonebook.RasSetEntryPropertiesA(std::nullopt, "Vorlix INTERNET", text, 2884),
            platform::win32::kServiceUnavailable);
  EXPECT_EQ(phonebook.RasDeleteEntryA("Vorlix INTERNET"), platform::win32::kServiceUnavailable);
  EXPECT_EQ(phonebook.RasGetErrorStringA(623, text, sizeof text),
            platform::win32::kServiceUnavailable);

  // The picture's click and the shortcut's deletion: silently.
  platform::ShellExecuteA("open", "http://www.dialwright.ru/", 3);
  platform::win32::WindowsAutomation automation;
  Wsh::DeleteConnectionShortcut(automation, L"Vorlix INTERNET");
  EXPECT_EQ(journal, std::vector<std::wstring>{});

  // The shortcut: its fixed message, once.
  EXPECT_TRUE(Wsh::CreateConnectionShortcut(automation, L"Vorlix INTERNET").failed);
  EXPECT_EQ(journal, std::vector<std::wstring>{L"box 16 " + std::wstring(Wsh::ShortcutErrorText)});

  // The hardening still takes the current directory out of the search.
  const auto restrictions = platform::win32::HardenDllSearch();
  EXPECT_FALSE(restrictions.systemDirectoryOnly);
  EXPECT_TRUE(restrictions.currentDirectoryRemoved);
  // A library that could not be had is not asked for again.
  for (const auto& [file, times] : loads) EXPECT_EQ(times, 1) << file;
}

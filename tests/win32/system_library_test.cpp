#include "platform/win32/system_library.h"

#include <gtest/gtest.h>

#include "platform/win32/ras_phonebook_service.h"

namespace {

using platform::win32::LoadSystemLibrary;

TEST(SystemLibrary, LoadsFromTheSystemDirectory) {
  auto module = LoadSystemLibrary(L"version.dll");
  ASSERT_TRUE(module);
  wchar_t path[MAX_PATH];
  ASSERT_GT(::GetModuleFileNameW(module.get(), path, MAX_PATH), 0u);
  const std::wstring expected = platform::win32::SystemDirectory() + L"\\version.dll";
  EXPECT_EQ(_wcsicmp(path, expected.c_str()), 0);
}

TEST(SystemLibrary, MissingLibraryGivesNoModule) {
  EXPECT_FALSE(LoadSystemLibrary(L"no-such-library-dialwright.dll"));
}

}  // namespace

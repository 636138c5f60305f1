// dll_search_probe <plain|hardened> <report file> <dll name>...
// Loads each DLL by name, as a program that trusts the search order would, and writes one
// report line: the restrictions that took effect ("01": system directory only, current
// directory removed), a space, then one letter per name: P a planted DLL was loaded,
// S another DLL of that name (the system's), - none.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/dll_search_hardening.h"
#include "platform/win32/unique_resource.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  platform::win32::DllSearchRestrictions restrictions;
  if (std::wstring(argv[1]) == L"hardened") restrictions = platform::win32::HardenDllSearch();

  std::string report;
  report += restrictions.systemDirectoryOnly ? '1' : '0';
  report += restrictions.currentDirectoryRemoved ? '1' : '0';
  report += ' ';
  for (int i = 3; i < argc; ++i) {
    const platform::win32::UniqueModule module{::LoadLibraryW(argv[i])};
    if (!module) {
      report += '-';
    } else {
      report += ::GetProcAddress(module.get(), "DialwrightPlant") != nullptr ? 'P' : 'S';
    }
  }

  FILE* file = _wfopen(argv[2], L"wb");
  if (file == nullptr) return 3;
  std::fputs(report.c_str(), file);
  return std::fclose(file) == 0 ? 0 : 3;
}

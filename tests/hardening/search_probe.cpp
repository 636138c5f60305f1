// search_probe <dll name>...: loads each DLL by name, as a program that trusts the search
// order would.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) ::LoadLibraryW(argv[i]);
  return 0;
}

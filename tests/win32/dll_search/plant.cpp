// A DLL that only says what it is: the probe asks a loaded module for this export to tell
// a planted copy from the system's own DLL of the same name.
#include <windows.h>

extern "C" __declspec(dllexport) int DialwrightPlant() { return 1; }

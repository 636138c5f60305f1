// Imports one function that Windows XP lacks.
#include <windows.h>

int main(void) { return GetTickCount64() == 0; }

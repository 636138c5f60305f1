// Names shared by the test shell and the tests that use it.
#pragma once

#include <windows.h>

namespace test_shell {

// {19F5F288-2ADE-4C9A-9F92-09E37465C755}: the test shell's own class.
inline constexpr CLSID kClassId = {0x19f5f288, 0x2ade, 0x4c9a,
                                   {0x9f, 0x92, 0x09, 0xe3, 0x74, 0x65, 0xc7, 0x55}};
// {13709620-C279-11CE-A49E-444553540000}: Shell.Application's class on Windows and Wine.
inline constexpr CLSID kShellApplicationClassId = {
    0x13709620, 0xc279, 0x11ce, {0xa4, 0x9e, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// Environment read at each call:
//   DIALWRIGHT_TEST_SHELL_CONNECTIONS  names of the connections folder's items, '|' between
//                                      them; unset: NameSpace(49) answers Nothing (as on Wine)
//   DIALWRIGHT_TEST_SHELL_NO_DESKTOP   set: NameSpace(0) answers Nothing
//   DIALWRIGHT_TEST_SHELL_FAIL         a member name whose calls fail with E_FAIL
//   DIALWRIGHT_TEST_SHELL_RECORD       a file that gets one UTF-8 line per call:
//                                      "NameSpace vt=<type> <number>", "Items", "Count",
//                                      "Item vt=<type> <index>", "Name <name>",
//                                      "CopyHere args=<count> vt=<type> <item's name>"
// CopyHere also writes "<desktop directory>\<item's name>.lnk", as the shell places a
// shortcut there.
using LiveObjectsFunction = LONG __stdcall();

}  // namespace test_shell

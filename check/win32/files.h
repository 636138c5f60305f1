// The files and folders the check reads and writes: whole files as bytes, the shell's folders
// by their numbers, the names in a folder, a folder removed with what it holds.
#pragma once

#include <cstddef>
#include <set>
#include <string>

namespace check::win32 {

// Writes the bytes to the file, replacing it; false when that cannot be done.
bool WriteFileBytes(const std::wstring& file, const void* bytes, std::size_t size);
// The file's bytes, at most the first limit of them; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& file, std::size_t limit = 16 * 1024 * 1024);

// The shell's folder of that number (CSIDL_*), as this process's user has it; empty when the
// shell does not name it.
std::wstring ShellFolder(int folder);

// The names of the files in the folder (not its subfolders).
std::set<std::wstring> FileNames(const std::wstring& folder);

// Removes the folder and everything in it; false when something stays.
bool RemoveFolder(const std::wstring& folder);

}  // namespace check::win32

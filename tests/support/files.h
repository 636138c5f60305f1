// Where the tests find things, and how they read what the programs and stand-ins wrote.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace support {

std::filesystem::path TestFolder();    // where this test program is
std::filesystem::path BuildFolder();   // the build it belongs to (two folders up)
std::filesystem::path ProgramFile();   // the program of the same build
std::filesystem::path CheckFile();     // the provider's check of the same build
// The check's decoy: a DLL that writes "<its own path>.loaded" when a process loads it, and
// does nothing else; planted under another DLL's name, it shows whether that was loaded.
std::filesystem::path DecoyFile();
std::filesystem::path OpenRecorderFile();
std::filesystem::path NetshStandinFile();
std::filesystem::path SystemFolder();
// Whether this (32-bit) process runs under WoW64, as on a 64-bit Windows.
bool UnderWow64();
// The folder whose files a 32-bit program gets from its system directory, spelt out rather
// than asked: <Windows>\system32, or <Windows>\SysWOW64 under WoW64.
std::filesystem::path SystemFilesOfA32BitProgram();
std::filesystem::path DesktopFolder();

std::string ReadFile(const std::filesystem::path& path);
// The file's lines without their line ends, "\r\n" or "\n"; none when it does not exist.
std::vector<std::string> Lines(const std::filesystem::path& path);

// Appends the line and a line feed as UTF-8 in one write, so that processes recording at the
// same time still give whole lines. False when the file cannot be opened.
bool AppendLine(const std::filesystem::path& path, const std::wstring& line);

std::string Utf8(const std::wstring& text);
std::string Cp1251(const std::wstring& text);

}  // namespace support

// Small helpers of the desktop tests under Wine: files that clean up after themselves,
// environment variables set for one test, record files read back.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace desktop_test {

inline std::wstring DesktopDirectory() {
  wchar_t path[MAX_PATH];
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path))) return {};
  return path;
}

inline std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring file(path, length);
  return file.substr(0, file.find_last_of(L'\\'));
}

inline std::wstring TemporaryDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetTempPathW(MAX_PATH, path);
  std::wstring directory(path, length);
  if (!directory.empty() && directory.back() == L'\\') directory.pop_back();
  return directory;
}

inline bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A file that is deleted when the test is done with it, whoever else deleted it meanwhile.
class ScratchFile {
 public:
  explicit ScratchFile(std::wstring path, const char* content = nullptr) : path_(std::move(path)) {
    ::DeleteFileW(path_.c_str());
    if (content != nullptr) {
      HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
      DWORD written = 0;
      ::WriteFile(file, content, static_cast<DWORD>(std::char_traits<char>::length(content)),
                  &written, nullptr);
      ::CloseHandle(file);
    }
  }
  ~ScratchFile() { ::DeleteFileW(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::wstring& path() const { return path_; }
  bool exists() const { return Exists(path_); }

 private:
  std::wstring path_;
};

// Sets (or, with nullopt, removes) a variable of this process; the old value comes back after.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const wchar_t* name, std::optional<std::wstring> value) : name_(name) {
    wchar_t buffer[4096];
    const DWORD length = ::GetEnvironmentVariableW(name, buffer, 4096);
    if (length > 0 && length < 4096) old_ = std::wstring(buffer, length);
    ::SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
  }
  ~ScopedEnvironment() { ::SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const wchar_t* name_;
  std::optional<std::wstring> old_;
};

// The UTF-8 lines of a record file; none when it does not exist.
inline std::vector<std::wstring> ReadLines(const std::wstring& path) {
  std::vector<std::wstring> lines;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  ::CloseHandle(file);
  std::istringstream stream(bytes);
  for (std::string line; std::getline(stream, line);) {
    std::wstring wide(line.size(), L'\0');
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                             wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    lines.push_back(wide);
  }
  return lines;
}

// Polls until the record holds at least `count` lines or the deadline passes.
inline std::vector<std::wstring> WaitForLines(const std::wstring& path, std::size_t count,
                                              std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    auto lines = ReadLines(path);
    if (lines.size() >= count || std::chrono::steady_clock::now() >= end) return lines;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace desktop_test

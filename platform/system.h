// The system's one-call services as the portable code uses them: functions, not objects. The
// program links the Windows definitions (platform/win32/windows_<service>.cpp, one file per
// service, so that a test program may define any one of them itself); the portable tests link
// the recording ones of tests/fakes/.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// ---- the system's ANSI code page, where a text crosses into an ANSI call and back.
// Characters the code page cannot represent come out as the system's default character.
// Neither fails; only memory can run out (std::bad_alloc).
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// ---- the application event log: one entry of type error (EVENTLOG_ERROR_TYPE) with the text.
// A log that cannot be written loses the entry: the caller goes on regardless.
void ReportError(const std::wstring& text);

// ---- the system's message table: FormatMessageA(flags, null, messageId, languageId, buffer,
// size, null), the bytes written without the terminating zero, 0 on failure.
inline constexpr std::uint32_t FORMAT_MESSAGE_IGNORE_INSERTS_FLAG = 0x00000200;
inline constexpr std::uint32_t FORMAT_MESSAGE_FROM_SYSTEM_FLAG = 0x00001000;
std::uint32_t FormatSystemMessage(std::uint32_t flags, std::uint32_t messageId,
                                  std::uint32_t languageId, char* buffer, std::uint32_t size);

// ---- files: DeleteFileA, the path in the ANSI code page; false when nothing was deleted.
bool DeleteFileA(const std::string& ansiPath);

// ---- modal message boxes, owned by the program's window once it has one. The style is the
// platform's value (buttons plus icon); the answer the platform's button id.
inline constexpr std::uint32_t MB_OK_STYLE = 0;
inline constexpr std::uint32_t MB_YESNO_STYLE = 4;
inline constexpr std::uint32_t MB_ICONCRITICAL_STYLE = 16;
inline constexpr std::uint32_t MB_ICONQUESTION_STYLE = 32;
inline constexpr std::uint32_t MB_ICONINFORMATION_STYLE = 64;
inline constexpr int IDYES_ANSWER = 6;
inline constexpr int IDNO_ANSWER = 7;
int ShowMessageBox(const std::wstring& text, std::uint32_t style, const std::wstring& title);

// ---- the shell: ShellExecuteA(null, verb, file, "", "", showCommand), ANSI texts, no owner.
inline constexpr int SW_SHOWMAXIMIZED_STATE = 3;
void ShellExecuteA(const std::string& verb, const std::string& file, int showCommand);
// The same, handed to the desktop's own shell, which carries it out with the rights of the
// user whose desktop it is; false when no desktop shell answers (Windows XP, Wine).
bool ShellExecuteOnTheDesktop(const std::string& verb, const std::string& file, int showCommand);

// ---- this process: true when it runs with an administrator's full rights (elevated); never
// on Windows XP, which has no elevation.
bool ProcessIsElevated();

// ---- waiting on the user-interface thread.
void Sleep(std::uint32_t milliseconds);

// ---- programs of the system directory. The file is always taken from there, never found by a
// search, so a copy planted beside the program or in the current directory is never run; the
// command line is handed over exactly as given.
inline constexpr int SW_HIDE_STATE = 0;
struct ProcessStart {
  std::wstring systemProgram;  // file name in the system directory, e.g. L"netsh.exe"
  std::wstring commandLine;    // unchanged, program name included, as the process sees it
  int windowState = SW_HIDE_STATE;
  // How long to wait for the process to end before going on; zero: do not wait.
  std::chrono::milliseconds waitAtMost{0};
};
// False when the process could not be started. A process still running after the wait runs
// on by itself.
bool StartProcess(const ProcessStart& start);

// ---- local memory (LocalAlloc/LocalFree) for the buffers handed to the phonebook service.
inline constexpr std::uint32_t LMEM_ZEROINIT_FLAG = 0x40;  // fixed memory, zero-filled
// Answers null when the memory cannot be had.
void* LocalAlloc(std::uint32_t flags, std::size_t bytes);
void LocalFree(void* memory);

// One zero-filled block of local memory, given back on every path out of the code that took it.
class LocalBlock {
 public:
  explicit LocalBlock(std::size_t bytes)
      : data_(LocalAlloc(LMEM_ZEROINIT_FLAG, bytes)), size_(data_ != nullptr ? bytes : 0) {}
  ~LocalBlock() { reset(); }
  LocalBlock(const LocalBlock&) = delete;
  LocalBlock& operator=(const LocalBlock&) = delete;
  LocalBlock(LocalBlock&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  LocalBlock& operator=(LocalBlock&& other) noexcept {
    if (this != &other) {
      reset();
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }

  explicit operator bool() const { return data_ != nullptr; }
  std::uint8_t* data() const { return static_cast<std::uint8_t*>(data_); }
  std::size_t size() const { return size_; }

  void reset() {
    if (data_ != nullptr) LocalFree(std::exchange(data_, nullptr));
    size_ = 0;
  }

 private:
  void* data_;
  std::size_t size_;
};

}  // namespace platform

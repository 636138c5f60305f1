// The portable tests' system: the functions of platform/system.h, defined in system.cpp to
// write every call into one journal and answer from the test's script, with Windows-1251 as
// the ANSI code page so that Cyrillic texts are tested exactly as a Russian Windows converts
// them. Each test starts from a fresh record (Reset()).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system.h"

namespace fakes {

struct System {
  // One line a call, in order; the fake phonebook service and the tests' automation objects
  // write theirs here too:
  //   box <style> <title>: <text>          event log: <text>        sleep <ms>
  //   FormatMessage <flags> <id> <language> <size>                  DeleteFileA <path>
  //   ShellExecuteA <verb> <file> <show>   LocalAlloc <flags> <bytes>
  //   ShellExecuteOnTheDesktop <verb> <file> <show>
  //   <program>: <command line> (show <state>, wait <ms> ms)
  std::vector<std::wstring> journal;

  std::deque<int> answers;  // of the message boxes; then the first button: OK, or Yes
  std::vector<int> answered;  // what each box answered, in order
  std::string systemMessage;  // what the message table writes (a zero only if included)
  bool elevated = false;             // what ProcessIsElevated answers
  // Called with each event-log text, for a program that keeps the lines (the provider's check).
  std::function<void(const std::wstring&)> onReportError;
  bool desktopShellAnswers = false;  // what ShellExecuteOnTheDesktop answers

  // Local memory: the 1-based numbers of the allocations that fail, the blocks handed out
  // and not freed, and frees of blocks that were never handed out.
  std::set<std::size_t> failingAllocations;
  std::size_t allocations = 0;
  std::map<void*, std::unique_ptr<std::uint8_t[]>> liveBlocks;
  int badFrees = 0;

  // The files there are: DeleteFileA removes one and answers true.
  std::set<std::wstring> files;

  // Every call of the system, of the phonebook service and of an automation object, in order,
  // with the ways in which its contract lets it fail (none for a call that cannot fail).
  struct Call {
    std::wstring name;
    std::vector<const wchar_t*> ways;
  };
  std::vector<Call> calls;
  bool countingCalls = false;  // calls are recorded, and a failure injected, only when asked
  // The call (1-based, counted as in calls) that fails, and the way it fails.
  struct Failure {
    std::size_t call;
    std::size_t way;
  };
  std::optional<Failure> failure;
};

System& TheSystem();
void Reset();
// The journal so far; the next one starts empty.
std::vector<std::wstring> TakeJournal();
// The lines of a journal that start with the prefix.
std::vector<std::wstring> LinesStartingWith(const std::vector<std::wstring>& journal,
                                            std::wstring_view prefix);
void Journal(std::wstring line);

// Records a call of the system; answers the way it is to fail when it is the failing one.
std::optional<std::size_t> Fallible(std::wstring_view call,
                                    const std::vector<const wchar_t*>& ways = {});

// While one lives, this thread runs the system's side of a call: the fakes' own bookkeeping,
// whose memory a program's allocation count leaves out.
class SystemSide {
 public:
  SystemSide();
  ~SystemSide();
  SystemSide(const SystemSide&) = delete;
  SystemSide& operator=(const SystemSide&) = delete;
};
bool OnTheSystemsSide();

// Windows-1251 bytes as text, for the fakes' own journal lines (not a call of the system).
std::wstring Cp1251(std::string_view bytes);

}  // namespace fakes

// The portable tests' system: the functions of platform/system.h, defined in system.cpp to
// write every call into one journal and answer from the test's script, with Windows-1251 as
// the ANSI code page so that Cyrillic texts are tested exactly as a Russian Windows converts
// them. Each test starts from a fresh record (Reset()).
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
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
  std::string systemMessage;  // what the message table writes (a zero only if included)
  bool elevated = false;             // what ProcessIsElevated answers
  bool desktopShellAnswers = false;  // what ShellExecuteOnTheDesktop answers

  // Local memory: the 1-based numbers of the allocations that fail, the blocks handed out
  // and not freed, and frees of blocks that were never handed out.
  std::set<std::size_t> failingAllocations;
  std::size_t allocations = 0;
  std::map<void*, std::unique_ptr<std::uint8_t[]>> liveBlocks;
  int badFrees = 0;
};

System& TheSystem();
void Reset();
// The journal so far; the next one starts empty.
std::vector<std::wstring> TakeJournal();
// The lines of a journal that start with the prefix.
std::vector<std::wstring> LinesStartingWith(const std::vector<std::wstring>& journal,
                                            std::wstring_view prefix);
void Journal(std::wstring line);

}  // namespace fakes

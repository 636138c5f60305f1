// The portable tests' system: the functions of platform/system.h, defined in system.cpp to
// record what they are asked and answer from the test's script, with Windows-1251 as the ANSI
// code page so that Cyrillic texts are tested exactly as a Russian Windows converts them.
// Everything is in one record, which each test starts from afresh (Reset()).
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

struct ShownBox {
  std::wstring text;
  std::uint32_t style;
  std::wstring title;
};

struct Allocation {
  std::uint32_t flags;
  std::size_t bytes;
};

struct System {
  // Every box, wait and process start, in order, as "box <style> <title>: <text>",
  // "sleep <ms>" and the command line; the fake phonebook service adds its calls.
  std::vector<std::wstring> journal;

  std::vector<ShownBox> boxes;
  std::deque<int> answers;  // then the first button: OK, or Yes
  std::vector<std::wstring> loggedErrors;
  std::vector<std::string> deletedFiles;
  std::vector<platform::ProcessStart> starts;
  bool startsSucceed = true;
  std::vector<std::string> shellCalls;  // "verb|file|show"
  bool shellThrows = false;

  // The message table: the bytes written (a zero only if included) and the last lookup.
  std::string systemMessage;
  int systemMessageCalls = 0;
  std::uint32_t lastFlags = 0, lastMessageId = 0, lastLanguageId = 0xFFFFFFFF, lastSize = 0;

  // Local memory: every allocation; the 1-based numbers of those that fail; frees of blocks
  // that were never handed out.
  std::vector<Allocation> allocations;
  std::set<std::size_t> failingAllocations;
  int badFrees = 0;
  std::map<void*, std::unique_ptr<std::uint8_t[]>> liveBlocks;

  // A double-byte code page in miniature instead of 1251: 0x81 leads a pair that is one
  // character (U+4E00 + the trail byte).
  bool pairedCodePage = false;
};

System& TheSystem();
void Reset();

}  // namespace fakes

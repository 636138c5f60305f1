// How the stand-in is steered from outside, for tests that must reach every branch of the
// program. The variables are read afresh at every call, so a test may change them between
// two calls of one process.
//
//   DIALWRIGHT_STANDIN_PHONEBOOK   full path of the phonebook file to use instead of
//                                  %ProgramData%\Microsoft\Network\Connections\Pbk\rasphone.pbk
//                                  (a phonebook path that the caller passes still wins).
//   DIALWRIGHT_STANDIN_ENTRY_SIZE  the RASENTRYA size that the size query reports: 1672, 1768,
//                                  1796, 2088 or 2884 (the default). Any other value is
//                                  ignored.
//   DIALWRIGHT_STANDIN_FAIL        <Function>:<code>[,<Function>:<code>...], for example
//                                  RasDeleteEntryA:623,RasEnumEntriesA:5. That function
//                                  answers that code (decimal, 0 included) and does nothing
//                                  else. Items that are not of this form are ignored.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "standin/result_codes.h"

namespace standin {

inline constexpr const char* kPhonebookVariable = "DIALWRIGHT_STANDIN_PHONEBOOK";
inline constexpr const char* kEntrySizeVariable = "DIALWRIGHT_STANDIN_ENTRY_SIZE";
inline constexpr const char* kFailVariable = "DIALWRIGHT_STANDIN_FAIL";

enum class Call {
  kRasEnumEntriesA,
  kRasGetEntryPropertiesA,
  kRasSetEntryPropertiesA,
  kRasDeleteEntryA,
  kRasGetErrorStringA,
};

struct Options {
  std::uint32_t entrySize;
  std::array<std::optional<ResultCode>, 5> failures{};

  std::optional<ResultCode> FailureOf(Call call) const {
    return failures[static_cast<std::size_t>(call)];
  }
};

// The values of DIALWRIGHT_STANDIN_ENTRY_SIZE and DIALWRIGHT_STANDIN_FAIL (absent: nullopt).
Options ParseOptions(std::optional<std::string_view> entrySize,
                     std::optional<std::string_view> failures);

}  // namespace standin

// How the stand-in is steered from outside, for tests that must reach every branch of the
// program. The variables are read afresh at every call, so a test may change them between
// two calls of one process.
//
//   DIALWRIGHT_STANDIN_PHONEBOOK   full path of the phonebook file to use instead of
//                                  %ProgramData%\Microsoft\Network\Connections\Pbk\rasphone.pbk
//                                  (a phonebook path that the caller passes still wins).
//   DIALWRIGHT_STANDIN_ENTRY_SIZE  the RASENTRYA size that the size query reports: 1672, 1768,
//                                  1796, 2088, 2884 (the default, Windows XP's), 2924 (Vista's)
//                                  or 2948 (Windows 7's). Any other value is ignored.
//   DIALWRIGHT_STANDIN_FAIL        <Function>:<code>[,<Function>:<code>...], for example
//                                  RasDeleteEntryA:623,RasEnumEntriesA:5. That function
//                                  answers that code (decimal, 0 included) and does nothing
//                                  else. Items that are not of this form are ignored.
//   DIALWRIGHT_STANDIN_L2TP_DEVICE the name (ANSI) RasEnumDevicesA gives the L2TP miniport
//                                  instead of "Минипорт WAN (L2TP)", as a Windows of another
//                                  display language names it.
//   DIALWRIGHT_STANDIN_REFUSE_SIZE a RASENTRYA size that RasSetEntryPropertiesA refuses with
//                                  632 (ERROR_INVALID_SIZE), as a Windows that does not know it.
//   DIALWRIGHT_STANDIN_STORE_OTHERWISE  <key>=<value>: RasSetEntryPropertiesA stores that
//                                  member with that value (ANSI) whatever the entry says.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "standin/result_codes.h"

namespace standin {

inline constexpr const char* kPhonebookVariable = "DIALWRIGHT_STANDIN_PHONEBOOK";
inline constexpr const char* kEntrySizeVariable = "DIALWRIGHT_STANDIN_ENTRY_SIZE";
inline constexpr const char* kFailVariable = "DIALWRIGHT_STANDIN_FAIL";
inline constexpr const char* kL2tpDeviceVariable = "DIALWRIGHT_STANDIN_L2TP_DEVICE";
inline constexpr const char* kRefusedSizeVariable = "DIALWRIGHT_STANDIN_REFUSE_SIZE";
inline constexpr const char* kStoreOtherwiseVariable = "DIALWRIGHT_STANDIN_STORE_OTHERWISE";

enum class Call {
  kRasEnumEntriesA,
  kRasGetEntryPropertiesA,
  kRasSetEntryPropertiesA,
  kRasDeleteEntryA,
  kRasGetErrorStringA,
  kRasEnumDevicesA,
  kRasSetCredentialsA,
  kRasGetCredentialsA,
};

struct Options {
  std::uint32_t entrySize = 0;
  std::array<std::optional<ResultCode>, 8> failures{};
  std::string l2tpDevice = "\xCC\xE8\xED\xE8\xEF\xEE\xF0\xF2 WAN (L2TP)";  // Минипорт WAN (L2TP)
  std::optional<std::uint32_t> refusedSize;
  std::optional<std::pair<std::string, std::string>> storedOtherwise;

  std::optional<ResultCode> FailureOf(Call call) const {
    return failures[static_cast<std::size_t>(call)];
  }
};

// The options from the variables above, as variable(name) gives them (nullopt: not set).
Options ParseOptions(
    const std::function<std::optional<std::string>(const char* name)>& variable);

}  // namespace standin

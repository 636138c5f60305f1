#include "standin/options.h"

#include "standin/entry_layout.h"
#include "standin/entry_values.h"

namespace standin {
namespace {

constexpr std::array<std::string_view, 8> kCallNames = {
    "RasEnumEntriesA", "RasGetEntryPropertiesA", "RasSetEntryPropertiesA", "RasDeleteEntryA",
    "RasGetErrorStringA", "RasEnumDevicesA", "RasSetCredentialsA", "RasGetCredentialsA"};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

void ApplyFailure(std::string_view item, Options& options) {
  const auto colon = item.find(':');
  if (colon == std::string_view::npos) return;
  const std::string_view function = Trim(item.substr(0, colon));
  std::uint32_t code = 0;
  if (!ParseNumber(Trim(item.substr(colon + 1)), code)) return;
  for (std::size_t i = 0; i < kCallNames.size(); ++i)
    if (kCallNames[i] == function) options.failures[i] = code;
}

}  // namespace

Options ParseOptions(
    const std::function<std::optional<std::string>(const char* name)>& variable) {
  Options options;
  options.entrySize = kDefaultEntrySize;
  std::uint32_t size = 0;
  const auto entrySize = variable(kEntrySizeVariable);
  if (entrySize && ParseNumber(Trim(*entrySize), size) && IsPublishedEntrySize(size))
    options.entrySize = size;
  if (const auto failures = variable(kFailVariable)) {
    std::string_view rest = *failures;
    while (!rest.empty()) {
      const auto comma = rest.find(',');
      ApplyFailure(rest.substr(0, comma), options);
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  if (auto device = variable(kL2tpDeviceVariable)) options.l2tpDevice = std::move(*device);
  const auto refused = variable(kRefusedSizeVariable);
  if (refused && ParseNumber(Trim(*refused), size)) options.refusedSize = size;
  if (const auto otherwise = variable(kStoreOtherwiseVariable)) {
    const auto equals = otherwise->find('=');
    if (equals != std::string::npos)
      options.storedOtherwise.emplace(otherwise->substr(0, equals), otherwise->substr(equals + 1));
  }
  return options;
}

}  // namespace standin

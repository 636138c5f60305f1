// The enumeration walk fed arbitrary service answers: result codes, byte counts, entry
// counts and record bytes. It must never read outside the buffer, never leak it, and never
// answer more names than the list holds.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "phonebook/enumerate_entries.h"
#include "tests/fakes/fake_phonebook_service.h"

namespace {

constexpr std::uint32_t kRecordSize = 264;

platform::ResultCode Answer(fuzzing::FuzzInput& input, std::uint8_t* buffer,
                            std::uint32_t& byteCount, std::uint32_t& entryCount) {
  const std::uint32_t bufferSize = byteCount;
  const std::uint8_t kind = input.Byte();
  const platform::ResultCode result = kind % 3 == 0   ? 0
                                      : kind % 3 == 1 ? platform::ERROR_BUFFER_TOO_SMALL_CODE
                                                      : input.Word();
  // A size the input can fill: past the bytes it holds the buffer is all zeros, where a walk
  // ends at the first record, so a larger one finds nothing more and only costs the fuzzer
  // an allocation of up to 4 GiB per input.
  const std::uint32_t asked = input.Word();
  entryCount = input.Word();
  byteCount = asked % static_cast<std::uint32_t>(input.RestSize() + 2 * kRecordSize + 1);
  const std::size_t bytes = std::min<std::size_t>(bufferSize, input.RestSize());
  if (bytes != 0) std::memcpy(buffer, input.Rest(), bytes);
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput input(data, size);
  fakes::Reset();
  fakes::FakePhonebookService service;
  auto handler = [&input](std::uint8_t* buffer, std::uint32_t& byteCount,
                          std::uint32_t& entryCount) {
    return Answer(input, buffer, byteCount, entryCount);
  };
  service.enumHandlers = {handler, handler, handler};

  std::vector<std::wstring> list(3, L"stale");
  const std::int16_t count = modRASVPN::EnumerateEntries(service, list);

  // The list is 0..n with names at 1..n, or 0..40 all empty; slot 0 is never written.
  if (count < 0) std::abort();
  if (count > 0 && list.size() != static_cast<std::size_t>(count) + 1) std::abort();
  if (count == 0 && (list.size() != 41 || std::any_of(list.begin(), list.end(),
                                                       [](const auto& name) { return !name.empty(); })))
    std::abort();
  if (!list[0].empty()) std::abort();
  if (service.enumBuffers.size() > 2) std::abort();
  if (!fakes::TheSystem().liveBlocks.empty()) std::abort();
  return 0;
}

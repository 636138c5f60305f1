// The stand-in's phonebook file parser over arbitrary bytes: it must answer damaged or a
// phonebook, never crash, and what it accepts must survive being written and read again.
#include <cstdlib>
#include <string_view>

#include "standin/phonebook_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), data == nullptr ? 0 : size);
  standin::Phonebook phonebook;
  if (standin::ParsePhonebook(bytes, phonebook) != 0) return 0;

  const std::string written = standin::SerializePhonebook(phonebook);
  standin::Phonebook reread;
  if (standin::ParsePhonebook(written, reread) != 0) std::abort();
  if (standin::SerializePhonebook(reread) != written) std::abort();
  return 0;
}

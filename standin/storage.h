// Where the phonebook's bytes live. `phonebook` is the path the caller passed, or null for
// the default phonebook.
#pragma once

#include <string>
#include <string_view>

#include "standin/result_codes.h"

namespace standin {

class Storage {
 public:
  virtual ~Storage() = default;
  // A phonebook that does not exist yet reads as no bytes.
  virtual ResultCode Read(const char* phonebook, std::string& bytes) = 0;
  // Replaces the whole content in one step: afterwards the file holds either all of the new
  // bytes or, on failure, exactly the old ones.
  virtual ResultCode Write(const char* phonebook, std::string_view bytes) = 0;
};

}  // namespace standin

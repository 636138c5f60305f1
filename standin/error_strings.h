// The messages for the codes the stand-in answers, in Russian, as Windows-1251 bytes: the
// code page of the Russian systems the program is written for.
#pragma once

#include <optional>
#include <string>

#include "standin/result_codes.h"

namespace standin {

// nullopt for a code the stand-in never answers.
std::optional<std::string> ErrorStringOf(ResultCode code);

}  // namespace standin

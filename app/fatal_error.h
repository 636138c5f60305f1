// A failure at the top of an event that ends the program: its text is shown in a message box
// and the process exits with a non-zero code.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace app {

// What the user reads when memory runs out, in the words Windows uses for it.
inline constexpr const wchar_t* kOutOfMemoryText = L"Недостаточно памяти для завершения операции.";

class FatalError : public std::exception {
 public:
  explicit FatalError(std::wstring text) : text_(std::move(text)) {}
  const std::wstring& Text() const { return text_; }
  const char* what() const noexcept override { return "fatal error"; }

 private:
  std::wstring text_;
};

}  // namespace app

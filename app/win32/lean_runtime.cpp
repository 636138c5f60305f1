// The standard library's error paths, in the lean form the program file carries.
//
// libstdc++ raises its errors through the std::__throw_* functions, which all live in one
// archive member. Pulling that member in for std::__throw_bad_alloc alone brings every
// <stdexcept> type with it, their copy-on-write strings, std::random_device and more, and
// its verbose terminate handler brings the C++ demangler and printf: about 130 KB of a
// program file whose budget is 256 KB. Defining the functions here keeps that member out.
//
// Nothing the program relies on changes: lack of memory still propagates as std::bad_alloc
// (and its array form), the library's other errors still arrive as a std::exception with the
// library's own text, so the start-up's fatal-error box still shows them, and an exception
// that escapes everything still ends the process through std::abort. Only the <stdexcept>
// type of those errors is gone, and nothing in the program catches by it.
// Linked into the program file only; the tests keep the library's own versions.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

// What std::logic_error, std::runtime_error and their kin become: the same text, no string.
class LibraryError final : public std::exception {
 public:
  explicit LibraryError(const char* text) noexcept : text_(text != nullptr ? text : "") {}
  const char* what() const noexcept override { return text_; }

 private:
  const char* text_;  // the library passes string literals
};

}  // namespace

namespace __gnu_cxx {

// A window program has no console to print the exception's name on.
void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

// These are the library's own names: defining them is what replaces its versions.
// NOLINTBEGIN(bugprone-reserved-identifier)
namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }

void __throw_logic_error(const char* text) { throw LibraryError(text); }
void __throw_domain_error(const char* text) { throw LibraryError(text); }
void __throw_invalid_argument(const char* text) { throw LibraryError(text); }
void __throw_length_error(const char* text) { throw LibraryError(text); }
void __throw_out_of_range(const char* text) { throw LibraryError(text); }
// The arguments are not formatted in: that would bring printf back.
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_runtime_error(const char* text) { throw LibraryError(text); }
void __throw_range_error(const char* text) { throw LibraryError(text); }
void __throw_overflow_error(const char* text) { throw LibraryError(text); }
void __throw_underflow_error(const char* text) { throw LibraryError(text); }

// Its own member, with std::bad_function_call: an empty std::function called is a bug too.
void __throw_bad_function_call() { throw LibraryError("bad_function_call"); }

}  // namespace std
// NOLINTEND(bugprone-reserved-identifier)

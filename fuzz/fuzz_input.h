// Reads typed values off the front of a fuzzer's input; past its end every value is zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzing {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }

  std::uint32_t Word() {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= std::uint32_t{Byte()} << shift;
    return value;
  }

  // A text of 16-bit characters whose length is the next byte.
  std::wstring Text() {
    std::wstring text(Byte(), L'\0');
    for (wchar_t& character : text) character = static_cast<wchar_t>(Byte() | (Byte() << 8));
    return text;
  }

  const std::uint8_t* Rest() const { return data_ + position_; }
  std::size_t RestSize() const { return size_ - position_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace fuzzing

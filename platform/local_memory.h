// Local memory (LocalAlloc/LocalFree) for the buffers handed to the phonebook service,
// and an owner that gives a block back on every path out of the code that took it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace platform {

inline constexpr std::uint32_t LMEM_ZEROINIT_FLAG = 0x40;  // fixed memory, zero-filled

class LocalMemory {
 public:
  virtual ~LocalMemory() = default;
  // Answers null when the memory cannot be had.
  virtual void* LocalAlloc(std::uint32_t flags, std::size_t bytes) = 0;
  virtual void LocalFree(void* memory) = 0;
};

// One zero-filled block of local memory, freed when the owner goes.
class LocalBlock {
 public:
  LocalBlock(LocalMemory& memory, std::size_t bytes)
      : memory_(&memory), data_(memory.LocalAlloc(LMEM_ZEROINIT_FLAG, bytes)),
        size_(data_ != nullptr ? bytes : 0) {}
  ~LocalBlock() { reset(); }
  LocalBlock(const LocalBlock&) = delete;
  LocalBlock& operator=(const LocalBlock&) = delete;
  LocalBlock(LocalBlock&& other) noexcept
      : memory_(other.memory_), data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)) {}
  LocalBlock& operator=(LocalBlock&& other) noexcept {
    if (this != &other) {
      reset();
      memory_ = other.memory_;
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }

  explicit operator bool() const { return data_ != nullptr; }
  std::uint8_t* data() const { return static_cast<std::uint8_t*>(data_); }
  std::size_t size() const { return size_; }

  void reset() {
    if (data_ != nullptr) memory_->LocalFree(std::exchange(data_, nullptr));
    size_ = 0;
  }

 private:
  LocalMemory* memory_;
  void* data_;
  std::size_t size_;
};

}  // namespace platform

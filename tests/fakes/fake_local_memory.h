// Local memory that counts what is taken and given back, and fails on request.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/local_memory.h"

namespace fakes {

class FakeLocalMemory final : public platform::LocalMemory {
 public:
  struct Allocation {
    std::uint32_t flags;
    std::size_t bytes;
  };

  void* LocalAlloc(std::uint32_t flags, std::size_t bytes) override {
    allocations.push_back({flags, bytes});
    if (failing.count(allocations.size()) != 0) return nullptr;
    // Filled with a pattern, so that a missing LMEM_ZEROINIT shows.
    auto block = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
    std::memset(block.get(), (flags & platform::LMEM_ZEROINIT_FLAG) != 0 ? 0 : 0xCD, bytes);
    void* address = block.get();
    live[address] = std::move(block);
    return address;
  }

  void LocalFree(void* memory) override {
    if (live.erase(memory) == 0) ++badFrees;
  }

  std::size_t Outstanding() const { return live.size(); }

  std::vector<Allocation> allocations;
  std::set<std::size_t> failing;  // 1-based numbers of the allocations that fail
  int badFrees = 0;

 private:
  std::map<void*, std::unique_ptr<std::uint8_t[]>> live;
};

}  // namespace fakes

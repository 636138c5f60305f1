// The phonebook in memory: its entries in file order, each a name and its values by key.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace standin {

// Key and value (the value as raw bytes; numbers, addresses and guids in their text form).
using EntryValues = std::vector<std::pair<std::string, std::string>>;

const std::string* FindValue(const EntryValues& values, std::string_view key);

struct PhonebookEntry {
  std::string name;
  EntryValues values;
};

class Phonebook {
 public:
  Phonebook() = default;
  // The entries' names must be distinct.
  explicit Phonebook(std::vector<PhonebookEntry> entries) : entries_(std::move(entries)) {}

  const std::vector<PhonebookEntry>& Entries() const { return entries_; }
  const PhonebookEntry* Find(std::string_view name) const;

  // Replaces the entry of that name where it stands, or appends a new one.
  void Store(PhonebookEntry entry);
  // False when there is no entry of that name.
  bool Remove(std::string_view name);

 private:
  std::vector<PhonebookEntry> entries_;
};

}  // namespace standin

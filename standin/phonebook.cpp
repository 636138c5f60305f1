#include "standin/phonebook.h"

#include <algorithm>

namespace standin {

const std::string* FindValue(const EntryValues& values, std::string_view key) {
  const auto found = std::find_if(values.begin(), values.end(),
                                  [key](const auto& value) { return value.first == key; });
  return found == values.end() ? nullptr : &found->second;
}

const PhonebookEntry* Phonebook::Find(std::string_view name) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [name](const PhonebookEntry& entry) { return entry.name == name; });
  return found == entries_.end() ? nullptr : &*found;
}

void Phonebook::Store(PhonebookEntry entry) {
  const auto found =
      std::find_if(entries_.begin(), entries_.end(),
                   [&entry](const PhonebookEntry& existing) { return existing.name == entry.name; });
  if (found != entries_.end())
    *found = std::move(entry);
  else
    entries_.push_back(std::move(entry));
}

bool Phonebook::Remove(std::string_view name) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [name](const PhonebookEntry& entry) { return entry.name == name; });
  if (found == entries_.end()) return false;
  entries_.erase(found);
  return true;
}

}  // namespace standin

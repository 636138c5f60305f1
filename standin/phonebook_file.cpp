#include "standin/phonebook_file.h"

#include <set>

#include "standin/entry_layout.h"
#include "standin/entry_rules.h"
#include "standin/entry_values.h"
#include "standin/pbk_escape.h"

namespace standin {
namespace {

bool HasControlBytes(std::string_view line) {
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

bool IsKey(std::string_view key) {
  if (key.empty() || key.size() > kMaxKeyBytes) return false;
  for (const char c : key) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!letter && !(c >= '0' && c <= '9') && c != '_') return false;
  }
  return true;
}

// Builds the entries line by line; any line that the serializer cannot have written fails.
class Parser {
 public:
  bool Line(std::string_view line) {
    if (line.size() > kMaxLineBytes || HasControlBytes(line)) return false;
    if (line.empty() || line.front() == ';') return true;
    if (line.front() == '[') return Section(line);
    return Value(line);
  }

  std::vector<PhonebookEntry> TakeEntries() { return std::move(entries_); }

 private:
  bool Section(std::string_view line) {
    if (line.size() < 2 || line.back() != ']') return false;
    std::string name;
    if (!Unescape(line.substr(1, line.size() - 2), name) || !IsValidEntryName(name)) return false;
    if (entries_.size() >= kMaxEntries || !names_.insert(name).second) return false;
    entries_.push_back({std::move(name), {}});
    keys_.clear();
    return true;
  }

  bool Value(std::string_view line) {
    const auto equals = line.find('=');
    if (entries_.empty() || equals == std::string_view::npos) return false;
    const std::string_view key = line.substr(0, equals);
    std::string value;
    if (!IsKey(key) || !Unescape(line.substr(equals + 1), value)) return false;
    const auto kind = KindOfKey(key);
    if (kind && !IsWellFormed(*kind, value)) return false;
    EntryValues& values = entries_.back().values;
    if (values.size() >= kMaxValuesPerEntry || !keys_.insert(std::string(key)).second)
      return false;
    values.emplace_back(std::string(key), std::move(value));
    return true;
  }

  std::vector<PhonebookEntry> entries_;
  std::set<std::string> names_;
  std::set<std::string> keys_;
};

}  // namespace

ResultCode ParsePhonebook(std::string_view bytes, Phonebook& phonebook) {
  phonebook = Phonebook{};
  if (bytes.size() > kMaxPhonebookBytes) return kCorruptPhonebook;
  Parser parser;
  while (!bytes.empty()) {
    const auto end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!parser.Line(line)) return kCorruptPhonebook;
  }
  phonebook = Phonebook(parser.TakeEntries());
  return kSuccess;
}

std::string SerializePhonebook(const Phonebook& phonebook) {
  std::string text;
  for (const PhonebookEntry& entry : phonebook.Entries()) {
    text += '[' + Escape(entry.name) + "]\r\n";
    for (const auto& [key, value] : entry.values) text += key + '=' + Escape(value) + "\r\n";
    text += "\r\n";
  }
  return text;
}

}  // namespace standin

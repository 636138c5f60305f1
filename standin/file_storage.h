// The phonebook kept in a file, replaced atomically: the new content goes to a temporary file
// in the same folder, which then takes the old file's place in one rename. A failure at any
// step leaves the old file as it was and removes the temporary file.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "standin/storage.h"

namespace standin {

// The few file operations the phonebook needs, so that every failure can be tested.
class FileOps {
 public:
  enum class ReadOutcome { kRead, kMissing, kTooLarge, kFailed };

  virtual ~FileOps() = default;
  virtual ReadOutcome ReadAll(const std::wstring& path, std::size_t maxBytes,
                              std::string& bytes) = 0;
  // The folder and every missing folder above it; true when the folder exists afterwards.
  virtual bool CreateDirectories(const std::wstring& directory) = 0;
  // A new, empty file of a unique name in that folder.
  virtual std::optional<std::wstring> CreateTemporaryIn(const std::wstring& directory) = 0;
  // Writes the whole file and flushes it to the disk.
  virtual bool WriteAll(const std::wstring& path, std::string_view bytes) = 0;
  // Renames source to target, replacing target, in one step.
  virtual bool Replace(const std::wstring& source, const std::wstring& target) = 0;
  virtual void Remove(const std::wstring& path) = 0;
};

// The file a call works on: the caller's phonebook path (or null), resolved; nullopt when no
// path can be had.
using PhonebookLocator = std::function<std::optional<std::wstring>(const char* phonebook)>;

class FileStorage final : public Storage {
 public:
  FileStorage(FileOps& files, PhonebookLocator locate);

  ResultCode Read(const char* phonebook, std::string& bytes) override;
  ResultCode Write(const char* phonebook, std::string_view bytes) override;

 private:
  FileOps& files_;
  PhonebookLocator locate_;
};

// The folder part of a path ("" when it has none).
std::wstring DirectoryOf(const std::wstring& path);

}  // namespace standin

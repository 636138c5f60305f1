#include "standin/file_storage.h"

#include <utility>

#include "standin/phonebook_file.h"

namespace standin {
namespace {

// Removes the temporary file on every path that does not put it in the phonebook's place.
class TemporaryFile {
 public:
  TemporaryFile(FileOps& files, std::wstring path) : files_(files), path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!kept_) files_.Remove(path_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::wstring& Path() const { return path_; }
  void Keep() { kept_ = true; }

 private:
  FileOps& files_;
  std::wstring path_;
  bool kept_ = false;
};

}  // namespace

std::wstring DirectoryOf(const std::wstring& path) {
  const auto separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

FileStorage::FileStorage(FileOps& files, PhonebookLocator locate)
    : files_(files), locate_(std::move(locate)) {}

ResultCode FileStorage::Read(const char* phonebook, std::string& bytes) {
  bytes.clear();
  const auto path = locate_(phonebook);
  if (!path) return kCannotOpenPhonebook;
  switch (files_.ReadAll(*path, kMaxPhonebookBytes, bytes)) {
    case FileOps::ReadOutcome::kRead: return kSuccess;
    case FileOps::ReadOutcome::kMissing: bytes.clear(); return kSuccess;
    case FileOps::ReadOutcome::kTooLarge: bytes.clear(); return kCorruptPhonebook;
    case FileOps::ReadOutcome::kFailed: break;
  }
  bytes.clear();
  return kCannotOpenPhonebook;
}

ResultCode FileStorage::Write(const char* phonebook, std::string_view bytes) {
  const auto path = locate_(phonebook);
  if (!path) return kCannotWritePhonebook;
  std::wstring directory = DirectoryOf(*path);
  if (directory.empty()) directory = L".";
  if (!files_.CreateDirectories(directory)) return kCannotWritePhonebook;
  const auto temporaryPath = files_.CreateTemporaryIn(directory);
  if (!temporaryPath) return kCannotWritePhonebook;
  TemporaryFile temporary(files_, *temporaryPath);
  if (!files_.WriteAll(temporary.Path(), bytes) || !files_.Replace(temporary.Path(), *path))
    return kCannotWritePhonebook;
  temporary.Keep();
  return kSuccess;
}

}  // namespace standin

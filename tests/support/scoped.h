// Changes a test makes to the process, the prefix's registry or its files, each put back by a
// destructor: a test that fails half way leaves nothing changed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace support {

// The value of a variable of this process, or nullopt when it is not set (or empty).
std::optional<std::wstring> EnvironmentValue(const std::wstring& name);

// Sets the default value of an HKLM key.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(std::wstring key, const std::wstring& value);
  ~ScopedRegistryValue();
  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

 private:
  std::wstring key_;
  std::optional<std::wstring> previous_;
};

// Puts a copy of replacement where target is (the system's netsh.exe, say); the original comes
// back afterwards, or the copy goes when there was none.
class ScopedFileReplacement {
 public:
  ScopedFileReplacement(const std::filesystem::path& target,
                        const std::filesystem::path& replacement);
  ~ScopedFileReplacement();
  ScopedFileReplacement(const ScopedFileReplacement&) = delete;
  ScopedFileReplacement& operator=(const ScopedFileReplacement&) = delete;
  bool ok() const { return ok_; }

 private:
  std::filesystem::path target_;
  std::filesystem::path saved_;
  bool ok_ = false;
};

// A file deleted when the test is done with it, whoever else deleted it meanwhile; written
// with content when content is given.
class ScratchFile {
 public:
  explicit ScratchFile(const std::filesystem::path& path, const char* content = nullptr);
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace support

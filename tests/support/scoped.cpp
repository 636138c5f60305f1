#include "tests/support/scoped.h"

#include <windows.h>

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace support {

std::optional<std::wstring> EnvironmentValue(const std::wstring& name) {
  wchar_t buffer[4096];
  const DWORD length = ::GetEnvironmentVariableW(name.c_str(), buffer, 4096);
  if (length == 0 || length >= 4096) return std::nullopt;
  return std::wstring(buffer, length);
}

namespace {

LSTATUS SetDefaultValue(const std::wstring& key, const std::wstring& value) {
  return ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

ScopedRegistryValue::ScopedRegistryValue(std::wstring key, const std::wstring& value)
    : key_(std::move(key)) {
  wchar_t old[2048];
  DWORD size = sizeof(old);
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, key_.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old,
                     &size) == ERROR_SUCCESS)
    previous_ = std::wstring(old);
  if (SetDefaultValue(key_, value) != ERROR_SUCCESS)
    throw std::runtime_error("could not set the registry value");
}

ScopedRegistryValue::~ScopedRegistryValue() {
  if (previous_)
    SetDefaultValue(key_, *previous_);
  else
    ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key_.c_str(), nullptr);
}

ScopedFileReplacement::ScopedFileReplacement(const std::filesystem::path& target,
                                             const std::filesystem::path& replacement)
    : target_(target), saved_(target.wstring() + L".dialwright-saved") {
  std::error_code error;
  if (std::filesystem::exists(target_, error) &&
      !::CopyFileW(target_.c_str(), saved_.c_str(), FALSE))
    return;
  if (!std::filesystem::exists(saved_, error)) saved_.clear();
  ok_ = ::CopyFileW(replacement.c_str(), target_.c_str(), FALSE) != 0;
}

ScopedFileReplacement::~ScopedFileReplacement() {
  if (saved_.empty()) {
    ::DeleteFileW(target_.c_str());
  } else {
    ::CopyFileW(saved_.c_str(), target_.c_str(), FALSE);
    ::DeleteFileW(saved_.c_str());
  }
}

ScratchFile::ScratchFile(const std::filesystem::path& path, const char* content)
    : path_(path.wstring()) {
  ::DeleteFileW(path_.c_str());
  if (content != nullptr) std::ofstream(path, std::ios::binary) << content;
}

ScratchFile::~ScratchFile() { ::DeleteFileW(path_.c_str()); }

}  // namespace support

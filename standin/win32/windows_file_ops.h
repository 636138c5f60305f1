// The phonebook's file operations on the Windows API (wide paths).
#pragma once

#include "standin/file_storage.h"

namespace standin::win32 {

class WindowsFileOps final : public FileOps {
 public:
  ReadOutcome ReadAll(const std::wstring& path, std::size_t maxBytes,
                      std::string& bytes) override;
  bool CreateDirectories(const std::wstring& directory) override;
  std::optional<std::wstring> CreateTemporaryIn(const std::wstring& directory) override;
  bool WriteAll(const std::wstring& path, std::string_view bytes) override;
  bool Replace(const std::wstring& source, const std::wstring& target) override;
  void Remove(const std::wstring& path) override;
};

}  // namespace standin::win32

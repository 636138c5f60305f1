// Test doubles of the stand-in's storage and files, and entry images built by hand at the
// offsets of the published RASENTRYA layout.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "standin/file_storage.h"
#include "standin/storage.h"

namespace standin_test {

class MemoryStorage final : public standin::Storage {
 public:
  standin::ResultCode Read(const char*, std::string& bytes) override {
    bytes = content;
    return 0;
  }
  standin::ResultCode Write(const char*, std::string_view bytes) override {
    ++writes;
    content = bytes;
    return 0;
  }

  std::string content;
  int writes = 0;
};

class FakeFileOps final : public standin::FileOps {
 public:
  ReadOutcome ReadAll(const std::wstring& path, std::size_t maxBytes,
                      std::string& bytes) override {
    if (readFailure) return ReadOutcome::kFailed;
    const auto found = files.find(path);
    if (found == files.end()) return ReadOutcome::kMissing;
    if (found->second.size() > maxBytes) return ReadOutcome::kTooLarge;
    bytes = found->second;
    return ReadOutcome::kRead;
  }
  bool CreateDirectories(const std::wstring& directory) override {
    if (failDirectories) return false;
    directories.insert(directory);
    return true;
  }
  std::optional<std::wstring> CreateTemporaryIn(const std::wstring& directory) override {
    if (failTemporary || directories.count(directory) == 0) return std::nullopt;
    std::wstring path = directory + L"\\pbk" + std::to_wstring(++temporaries) + L".tmp";
    files[path] = "";
    return path;
  }
  bool WriteAll(const std::wstring& path, std::string_view bytes) override {
    if (failWrite) {
      files[path] = std::string(bytes.substr(0, bytes.size() / 2));  // a disk that filled up
      return false;
    }
    files[path] = std::string(bytes);
    return true;
  }
  bool Replace(const std::wstring& source, const std::wstring& target) override {
    if (failReplace || files.count(source) == 0) return false;
    files[target] = files[source];
    files.erase(source);
    return true;
  }
  void Remove(const std::wstring& path) override { files.erase(path); }

  std::map<std::wstring, std::string> files;
  std::set<std::wstring> directories;
  bool readFailure = false, failDirectories = false, failTemporary = false, failWrite = false,
       failReplace = false;
  int temporaries = 0;
};

inline void PutNumber(std::vector<std::uint8_t>& image, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) image.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint32_t GetNumber(const std::vector<std::uint8_t>& image, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | image.at(offset + i);
  return value;
}

inline void PutText(std::vector<std::uint8_t>& image, std::size_t offset, const std::string& text) {
  std::memcpy(&image.at(offset), text.data(), text.size());
}

inline std::string GetText(const std::vector<std::uint8_t>& image, std::size_t offset) {
  return std::string(reinterpret_cast<const char*>(&image.at(offset)));
}

// An entry the service accepts: a VPN entry with the fields it requires.
inline std::vector<std::uint8_t> ValidImage(std::uint32_t size, const std::string& phone = "203.0.113.5") {
  std::vector<std::uint8_t> image(size, 0);
  PutNumber(image, 0, size);
  PutNumber(image, 4, 0x75111710);        // dwfOptions
  PutText(image, 27, phone);              // szLocalPhoneNumber
  PutNumber(image, 188, 1);               // dwFramingProtocol: PPP
  PutText(image, 972, "vpn");             // szDeviceType
  PutText(image, 989, "WAN Miniport (L2TP)");  // szDeviceName
  if (size > 1796) PutNumber(image, 1796, 2);  // dwType: VPN
  return image;
}

}  // namespace standin_test

// A provider's program (made by `make provider`), driven under Wine: its values must be the
// ones it was built with. The build and the expected values come from the environment:
//   DIALWRIGHT_PROVIDER_PROGRAM  the program file (a Windows path)
//   DIALWRIGHT_PROVIDER_NAME, DIALWRIGHT_PROVIDER_SERVER, DIALWRIGHT_PROVIDER_SITE
//   DIALWRIGHT_PROVIDER_PICTURE  where to save what the window shows of its picture (a BMP),
//                                for the comparison with the logo (tests/provider/).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

#include <commctrl.h>

namespace {

namespace fs = std::filesystem;
using namespace support;

constexpr int kImage1 = 1001;
constexpr int kFirewall = 1002;
constexpr int kShortcut = 1003;
constexpr int kButton = 1004;
constexpr int kPictureWidth = 300;
constexpr int kPictureHeight = 100;

std::wstring Setting(const wchar_t* name) { return EnvironmentValue(name).value_or(L""); }

std::string Ansi1251(const std::wstring& text) {
  std::string bytes(text.size() * 2, '\0');
  bytes.resize(static_cast<std::size_t>(::WideCharToMultiByte(
      1251, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
      static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

// The picture as the screen shows it, saved as a 24-bit bottom-up BMP.
bool SavePicture(HWND window, const fs::path& file) {
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kPictureWidth, kPictureHeight);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, kPictureWidth, kPictureHeight, screen, origin.x, origin.y, SRCCOPY);
  ::SelectObject(memory, previous);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = kPictureWidth;
  info.biHeight = kPictureHeight;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD stride = (kPictureWidth * 3 + 3) & ~3u;
  info.biSizeImage = stride * kPictureHeight;
  std::vector<char> pixels(info.biSizeImage);
  const int rows = ::GetDIBits(memory, bitmap, 0, kPictureHeight, pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (rows != kPictureHeight) return false;

  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof(header) + sizeof(info);
  header.bfSize = header.bfOffBits + info.biSizeImage;
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(reinterpret_cast<const char*>(&info), sizeof(info));
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

class ProviderE2E : public testing::Test {
 protected:
  void SetUp() override {
    program_file_ = Setting(L"DIALWRIGHT_PROVIDER_PROGRAM");
    name_ = Setting(L"DIALWRIGHT_PROVIDER_NAME");
    server_ = Setting(L"DIALWRIGHT_PROVIDER_SERVER");
    site_ = Setting(L"DIALWRIGHT_PROVIDER_SITE");
    ASSERT_TRUE(fs::exists(program_file_)) << "DIALWRIGHT_PROVIDER_PROGRAM: no program file";
    ASSERT_FALSE(name_.empty() || server_.empty() || site_.empty());
    scratch_ = fs::temp_directory_path() / L"dialwright-provider-e2e";
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
  }
  void TearDown() override {
    program_.reset();
    fs::remove_all(scratch_);
  }

  HWND Start(std::vector<std::wstring> environment = {}) {
    environment.push_back(L"DIALWRIGHT_STANDIN_PHONEBOOK=" + (scratch_ / L"rasphone.pbk").wstring());
    program_.emplace(program_file_, environment);
    return program_->WaitForMainWindow();
  }

  fs::path program_file_;
  fs::path scratch_;
  std::wstring name_, server_, site_;
  std::optional<RunningProgram> program_;
};

TEST_F(ProviderE2E, PictureShowsTheBannerAndItsTooltipNamesTheSite) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  // The tooltip control may come a moment after the window is shown.
  std::wstring pictureTip;
  WaitUntil([&] {
    for (HWND tooltip : TopLevelWindows(program_->ProcessId(), L"tooltips_class32"))
      for (const Tool& tool : TooltipTools(tooltip, program_->ProcessId()))
        if (!(tool.flags & TTF_IDISHWND) && tool.id == kImage1) pictureTip = tool.text;
    return !pictureTip.empty();
  });
  EXPECT_EQ(pictureTip, L"Открыть сайт компании: " + site_);

  const std::wstring picture = Setting(L"DIALWRIGHT_PROVIDER_PICTURE");
  ASSERT_FALSE(picture.empty());
  ASSERT_TRUE(program_->Responds(window));
  EXPECT_TRUE(SavePicture(window, picture));
}

TEST_F(ProviderE2E, PictureClickOpensTheSite) {
  const fs::path record = scratch_ / L"open.txt";
  const std::wstring scheme = site_.substr(0, site_.find(L':'));
  ScopedRegistryValue handler(L"Software\\Classes\\" + scheme + L"\\shell\\open\\command",
                                L"\"" + OpenRecorderFile().wstring() + L"\" \"%1\"");
  HWND window = Start({L"DIALWRIGHT_OPEN_RECORD=" + record.wstring()});
  ASSERT_NE(window, nullptr);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 50));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(150, 50));
  std::vector<std::string> lines;
  ASSERT_TRUE(WaitUntil([&] { return !(lines = Lines(record)).empty(); }))
      << "the site was not opened";
  EXPECT_NE(lines[0].find(" \"" + Utf8(site_) + "\"\t"), std::string::npos) << lines[0];
}

TEST_F(ProviderE2E, EntryIsNamedAfterTheProviderInCodePage1251AndDialsItsServer) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  for (int box : {kFirewall, kShortcut}) {
    HWND check = ::GetDlgItem(window, box);
    if (::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED)
      ::SendMessageW(check, BM_CLICK, 0, 0);
  }
  ::PostMessageW(::GetDlgItem(window, kButton), BM_CLICK, 0, 0);
  HWND box = program_->WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no confirmation";
  const std::string phonebook = ReadFile(scratch_ / L"rasphone.pbk");
  EXPECT_NE(phonebook.find("[" + Ansi1251(name_) + " INTERNET]\r\n"), std::string::npos)
      << phonebook;
  EXPECT_NE(phonebook.find("szLocalPhoneNumber=" + Ansi1251(server_) + "\r\n"), std::string::npos)
      << phonebook;
}

}  // namespace

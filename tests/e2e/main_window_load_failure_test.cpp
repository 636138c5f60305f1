// Load without its cursor: a copy of the program file whose cursor group 101 names an image the
// file does not have must report the failure in a message box (the text tells which resource
// failed, so a copy broken otherwise cannot pass) and end with a non-zero exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/support/driver.h"
#include "tests/support/files.h"

namespace {

using namespace support;
namespace fs = std::filesystem;

TEST(LoadFailure, MissingCursorIsFatal) {
  const fs::path folder = fs::temp_directory_path() /
                          (L"dialwright-load-failure-" + std::to_wstring(::GetCurrentProcessId()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path copy = folder / L"Dialwright VPN 1.0.exe";
  fs::copy_file(ProgramFile(), copy);
  // The program's group (a cursor group of one 32 x 32 monochrome image of 308 bytes), in
  // Russian as the program's resources are, naming image 9 instead of image 1.
  std::vector<unsigned char> group{0, 0, 2, 0, 1, 0, 32, 0, 64, 0, 1, 0, 1, 0, 0x34, 1, 0, 0, 9, 0};
  HANDLE update = ::BeginUpdateResourceW(copy.c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(::UpdateResourceW(update, RT_GROUP_CURSOR, MAKEINTRESOURCEW(101),
                                MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), group.data(),
                                static_cast<DWORD>(group.size())));
  ASSERT_TRUE(::EndUpdateResourceW(update, FALSE));
  {
    RunningProgram program(copy);
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box; exit code (259: still running) "
                            << program.WaitForExit(0ms).value_or(STILL_ACTIVE);
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.title, L"Dialwright");
    EXPECT_TRUE(view.text.starts_with(L"Не удалось загрузить курсор 101 из ресурсов программы"))
        << "the box does not tell what failed";
    EXPECT_EQ(VisibleTopLevelWindow(program.ProcessId(), L"ОсновнаяФорма"), nullptr);
    AnswerMessageBox(box, IDOK);
    const auto code = program.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_NE(*code, 0u);
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace

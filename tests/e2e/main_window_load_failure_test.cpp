// Load without its cursor: copies of the program file whose cursor 101 is missing
// must report the failure in a message box (the text tells which resource failed, so a copy
// broken otherwise cannot pass) and end with a non-zero exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"

namespace {

using namespace support;
namespace fs = std::filesystem;

constexpr WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);

class LoadFailure : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              (L"dialwright-load-failure-" + std::to_wstring(::GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(ProgramFile(), Copy());
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path Copy() const { return folder_ / L"Dialwright VPN 1.0.exe"; }

  // Puts data in place of one of the copy's resources (Russian, as the program's are).
  void ReplaceInCopy(LPCWSTR type, WORD number, std::vector<unsigned char> data) {
    HANDLE update = ::BeginUpdateResourceW(Copy().c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(::UpdateResourceW(update, type, MAKEINTRESOURCEW(number), kRussian, data.data(),
                                  static_cast<DWORD>(data.size())));
    ASSERT_TRUE(::EndUpdateResourceW(update, FALSE));
  }

  // Starts the copy and expects the failure's message box, then its end.
  void ExpectFatalLoad() {
    RunningProgram program(Copy());
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

  fs::path folder_;
};

TEST_F(LoadFailure, MissingCursorIsFatal) {
  // The program's group (a cursor group of one 32 x 32 monochrome image of 308 bytes), naming
  // image 9, which the file does not have, instead of image 1.
  ReplaceInCopy(RT_GROUP_CURSOR, 101,
                {0, 0, 2, 0, 1, 0, 32, 0, 64, 0, 1, 0, 1, 0, 0x34, 1, 0, 0, 9, 0});
  ExpectFatalLoad();
}

}  // namespace

// Load without its cursor: copies of the program file whose cursor 101 is missing or damaged
// must report the failure in a message box and end with a non-zero exit code.
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

  // Writes the copy's resources anew: the program's own, with one of them replaced by data, or
  // left out when data is empty. (Wine's UpdateResource does not remove a single resource, so
  // the copy starts from none.)
  void RewriteCopy(LPCWSTR type, WORD number, const std::vector<unsigned char>& data) {
    struct Resource {
      LPCWSTR type;
      WORD number;
      WORD language;
    };
    const Resource all[] = {{RT_ICON, 30001, 0},      {RT_GROUP_ICON, 1, 0},
                            {RT_CURSOR, 1, kRussian}, {RT_GROUP_CURSOR, 101, kRussian},
                            {RT_MANIFEST, 1, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK)},
                            {RT_VERSION, 1, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}};
    HMODULE original = ::LoadLibraryExW(ProgramFile().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(original, nullptr);
    HANDLE update = ::BeginUpdateResourceW(Copy().c_str(), TRUE);
    ASSERT_NE(update, nullptr);
    for (const auto& resource : all) {
      std::vector<unsigned char> bytes;
      if (resource.type == type && resource.number == number) {
        if (data.empty()) continue;
        bytes = data;
      } else {
        HRSRC found = ::FindResourceExW(original, resource.type, MAKEINTRESOURCEW(resource.number),
                                        resource.language);
        ASSERT_NE(found, nullptr) << resource.number;
        const auto* start = static_cast<const unsigned char*>(::LockResource(::LoadResource(original, found)));
        bytes.assign(start, start + ::SizeofResource(original, found));
      }
      ASSERT_TRUE(::UpdateResourceW(update, resource.type, MAKEINTRESOURCEW(resource.number),
                                    resource.language, bytes.data(), static_cast<DWORD>(bytes.size())));
    }
    ASSERT_TRUE(::EndUpdateResourceW(update, FALSE));
    ::FreeLibrary(original);
  }

  // Starts the copy and expects the failure's message box, then its end.
  void ExpectFatalLoad() {
    RunningProgram program(Copy());
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box; the program "
                            << (program.WaitForExit(0ms) ? "ended with " + std::to_string(*program.WaitForExit(0ms))
                                                         : std::string("runs"));
    EXPECT_EQ(Text(box), L"Dialwright");
    bool textFound = false;
    for (HWND child : ChildWindows(box))
      if (Text(child).find(L"Не удалось загрузить курсор 101 из ресурсов программы") == 0)
        textFound = true;
    EXPECT_TRUE(textFound) << "the box does not tell what failed";
    // The window never became visible.
    for (HWND window : TopLevelWindows(program.ProcessId(), L"ОсновнаяФорма"))
      EXPECT_FALSE(::IsWindowVisible(window));
    ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    const auto code = program.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_NE(*code, 0u);
  }

  fs::path folder_;
};

TEST_F(LoadFailure, CopyRewrittenWithEveryResourceStarts) {
  // The rewriting itself leaves a working program: the failures below are the cursor's.
  RewriteCopy(RT_BITMAP, 1, {});
  RunningProgram program(Copy());
  EXPECT_NE(program.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(program.MessageBoxes().empty());
}

TEST_F(LoadFailure, MissingCursorIsFatal) {
  RewriteCopy(RT_GROUP_CURSOR, 101, {});
  ExpectFatalLoad();
}

TEST_F(LoadFailure, DamagedCursorIsFatal) {
  // The hot spot, then a bitmap header that is all zeros.
  std::vector<unsigned char> damaged(308, 0);
  damaged[0] = 5;
  RewriteCopy(RT_CURSOR, 1, damaged);
  ExpectFatalLoad();
}

}  // namespace

// CreateConnectionShortcut through the real late-bound code. Wine's shell has no connections
// folder and no CopyHere, so Shell.Application is served here by the test shell
// (test_shell/), registered for this process under Shell.Application's own class id: the
// program's CLSIDFromProgID / CoCreateInstance / Invoke path is the one that runs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "desktop/wsh.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/com_ptr.h"
#include "app/win32/windows_desktop_services.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/support/files.h"
#include "tests/support/scoped.h"
#include "tests/win32/test_shell/test_shell.h"

namespace {

using support::ScopedEnvironment;
using support::ScratchFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The test shell, served in this process for Shell.Application until the test ends.
class TestShellRegistration {
 public:
  TestShellRegistration() {
    const std::wstring path =
        (support::TestFolder() / L"test_shell" / L"dialwright_test_shell.dll").wstring();
    library_ = ::LoadLibraryW(path.c_str());
    if (library_ == nullptr) return;
    using GetClassObject = HRESULT WINAPI(REFCLSID, REFIID, void**);
    auto* getClassObject = reinterpret_cast<GetClassObject*>(
        reinterpret_cast<void*>(::GetProcAddress(library_, "DllGetClassObject")));
    liveObjects_ = reinterpret_cast<test_shell::LiveObjectsFunction*>(
        reinterpret_cast<void*>(::GetProcAddress(library_, "DialwrightTestShellLiveObjects")));
    platform::win32::ComPtr<IUnknown> factory;
    if (getClassObject == nullptr || !platform::win32::EnsureComApartment() ||
        FAILED(getClassObject(test_shell::kClassId, IID_IUnknown, factory.put_void())))
      return;
    registered_ = SUCCEEDED(::CoRegisterClassObject(test_shell::kShellApplicationClassId,
                                                    factory.get(), CLSCTX_INPROC_SERVER,
                                                    REGCLS_MULTIPLEUSE, &cookie_));
  }
  ~TestShellRegistration() {
    if (registered_) ::CoRevokeClassObject(cookie_);
    // The DLL stays loaded: COM may still hold its factory until the apartment ends.
  }
  TestShellRegistration(const TestShellRegistration&) = delete;
  TestShellRegistration& operator=(const TestShellRegistration&) = delete;

  bool registered() const { return registered_ && liveObjects_ != nullptr; }
  LONG liveObjects() const { return liveObjects_(); }

 private:
  HMODULE library_ = nullptr;
  test_shell::LiveObjectsFunction* liveObjects_ = nullptr;
  DWORD cookie_ = 0;
  bool registered_ = false;
};

constexpr const wchar_t* kCopyOfMatch = L"CopyHere args=1 vt=16396 Vorlix INTERNET";  // BYREF|VARIANT

class ConnectionShortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    basMain::FillSettings();
    ASSERT_TRUE(shell.registered()) << "the test shell could not be registered";
  }

  std::vector<std::wstring> Record() const { return support::WideLines(record.path()); }

  TestShellRegistration shell;
  ScratchFile record{support::TemporaryFolder() / L"dialwright-shell-record.txt"};
  ScopedEnvironment recordSwitch{L"DIALWRIGHT_TEST_SHELL_RECORD", record.path()};
  ScopedEnvironment failSwitch{L"DIALWRIGHT_TEST_SHELL_FAIL", std::nullopt};
  ScopedEnvironment desktopSwitch{L"DIALWRIGHT_TEST_SHELL_NO_DESKTOP", std::nullopt};
  ScratchFile shortcut{support::DesktopFolder() / L"Vorlix INTERNET.lnk"};
  fakes::FakeMessageBoxes boxes;
  platform::win32::WindowsDesktopServices services{boxes};
};

TEST_F(ConnectionShortcut, CopiesTheMatchingItemToTheDesktop) {
  const ScopedEnvironment connections(L"DIALWRIGHT_TEST_SHELL_CONNECTIONS",
                                      L"Подключение по локальной сети|Vorlix INTERNET|vorlix internet");
  Wsh::CreateConnectionShortcut(services.Shortcut());
  // Folder numbers as 16-bit integers (vt 2), indexes as 32-bit ones (vt 3), every name read.
  EXPECT_THAT(Record(), ElementsAre(L"NameSpace vt=2 49", L"Items", L"Count", L"Item vt=3 0",
                                    L"Name Подключение по локальной сети", L"Item vt=3 1",
                                    L"Name Vorlix INTERNET", L"NameSpace vt=2 0", L"Name Vorlix INTERNET",
                                    kCopyOfMatch, L"Item vt=3 2", L"Name vorlix internet"));
  EXPECT_TRUE(shortcut.exists());
  EXPECT_THAT(boxes.shown, IsEmpty());
  EXPECT_EQ(shell.liveObjects(), 0);

  // And the deletion takes away exactly what the copy placed.
  Wsh::DeleteConnectionShortcut(services.Shortcut(), basMain::EntryName);
  EXPECT_FALSE(shortcut.exists());
}

TEST_F(ConnectionShortcut, WithoutConnectionsFolderOrMatchNothingHappens) {
  {
    const ScopedEnvironment connections(L"DIALWRIGHT_TEST_SHELL_CONNECTIONS", std::nullopt);
    Wsh::CreateConnectionShortcut(services.Shortcut());
    EXPECT_THAT(Record(), ElementsAre(L"NameSpace vt=2 49"));
  }
  const ScopedEnvironment connections(L"DIALWRIGHT_TEST_SHELL_CONNECTIONS", L"VORLIX INTERNET");
  Wsh::CreateConnectionShortcut(services.Shortcut());
  EXPECT_FALSE(shortcut.exists());
  EXPECT_THAT(boxes.shown, IsEmpty());
  EXPECT_EQ(shell.liveObjects(), 0);
}

TEST_F(ConnectionShortcut, MissingDesktopFolderSkipsTheCopySilently) {
  const ScopedEnvironment connections(L"DIALWRIGHT_TEST_SHELL_CONNECTIONS", L"Vorlix INTERNET");
  const ScopedEnvironment noDesktop(L"DIALWRIGHT_TEST_SHELL_NO_DESKTOP", L"1");
  Wsh::CreateConnectionShortcut(services.Shortcut());
  EXPECT_THAT(Record(), ::testing::Contains(L"NameSpace vt=2 0"));
  EXPECT_THAT(Record(), ::testing::Not(::testing::Contains(kCopyOfMatch)));
  EXPECT_THAT(boxes.shown, IsEmpty());
  EXPECT_EQ(shell.liveObjects(), 0);
}

TEST_F(ConnectionShortcut, FailingCopyShowsTheMessageOnceAndReleasesAll) {
  const ScopedEnvironment connections(L"DIALWRIGHT_TEST_SHELL_CONNECTIONS",
                                      L"Vorlix INTERNET|Vorlix INTERNET");
  const ScopedEnvironment fail(L"DIALWRIGHT_TEST_SHELL_FAIL", L"CopyHere");
  Wsh::CreateConnectionShortcut(services.Shortcut());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Ошибка создания ярлыка подключения!");
  EXPECT_EQ(boxes.shown[0].style, 16u);
  EXPECT_EQ(boxes.shown[0].title, L"Dialwright");
  EXPECT_EQ(shell.liveObjects(), 0);
  // The walk ended at the failure: the second item was never asked for.
  EXPECT_THAT(Record(), ::testing::Not(::testing::Contains(L"Item vt=3 1")));
}

}  // namespace

#include "platform/win32/dll_search_hardening.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/unique_resource.h"

namespace {

namespace fs = std::filesystem;
using platform::win32::UniqueHandle;

// The probe and the plant are built into dll_search\ beside this test program.
fs::path HelperFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(std::wstring(path, length)).parent_path() / L"dll_search";
}

// A copy of the probe in a folder of its own with plants beside it, and another folder with
// plants to serve as its current directory. The hardening is process-wide and cannot be
// undone, so it is tried in the probe's process, never in this one.
class DllSearchHardening : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            (L"dialwright-dll-search-" + std::to_wstring(::GetCurrentProcessId()));
    fs::remove_all(root_);
    fs::create_directories(root_ / L"program");
    fs::create_directories(root_ / L"current");
    const fs::path plant = HelperFolder() / L"dialwright_plant.dll";
    fs::copy_file(HelperFolder() / L"dll_search_probe.exe", Program());
    fs::copy_file(plant, root_ / L"program" / L"dialwright_plant_beside.dll");
    fs::copy_file(plant, root_ / L"program" / L"rasapi32.dll");
    fs::copy_file(plant, root_ / L"current" / L"dialwright_plant_cwd.dll");
  }

  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  fs::path Program() const { return root_ / L"program" / L"dll_search_probe.exe"; }

  // Runs the probe over the names below and answers its report line.
  std::string Probe(const wchar_t* mode) {
    const fs::path report = root_ / L"report.txt";
    std::wstring commandLine = L"dll_search_probe " + std::wstring(mode) + L" \"" +
                               report.wstring() +
                               L"\" dialwright_plant_beside.dll dialwright_plant_cwd.dll"
                               L" rasapi32.dll version.dll";
    const std::wstring current = (root_ / L"current").wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(Program().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, current.c_str(), &startup, &info)) {
      return "probe not started";
    }
    const UniqueHandle process{info.hProcess};
    const UniqueHandle thread{info.hThread};
    if (::WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) return "probe hung";
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.get(), &exitCode);
    if (exitCode != 0) return "probe failed: " + std::to_string(exitCode);
    std::ifstream in(report, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path root_;
};

// Without the hardening every plant is loaded, the renamed one in place of the system's
// rasapi32.dll included: the layout really is the attack the hardening must stop.
TEST_F(DllSearchHardening, PlantsAreLoadedByAnUnprotectedProgram) {
  EXPECT_EQ(Probe(L"plain"), "00 PPPS");
}

TEST_F(DllSearchHardening, LoadsOnlyFromTheSystemDirectory) {
  // Both restrictions take effect; no plant is loaded, neither beside the program nor in
  // the current directory; rasapi32.dll and version.dll come from the system directory.
  EXPECT_EQ(Probe(L"hardened"), "11 --SS");
}

}  // namespace

#include "standin/file_storage.h"

#include <gtest/gtest.h>

#include "standin/phonebook_file.h"
#include "tests/standin/standin_fakes.h"

namespace {

using standin::FileStorage;
using namespace standin_test;

const std::wstring kFolder = L"C:\\ProgramData\\Microsoft\\Network\\Connections\\Pbk";
const std::wstring kFile = kFolder + L"\\rasphone.pbk";

class StandinFileStorage : public ::testing::Test {
 protected:
  FileStorage storage_{files_, [](const char* phonebook) -> std::optional<std::wstring> {
                         if (phonebook == nullptr) return kFile;
                         if (*phonebook == '\0') return std::nullopt;
                         return std::wstring(phonebook, phonebook + std::strlen(phonebook));
                       }};
  FakeFileOps files_;
};

TEST_F(StandinFileStorage, WritesThroughATemporaryFileInTheSameFolder) {
  ASSERT_EQ(storage_.Write(nullptr, "new"), 0u);
  EXPECT_EQ(files_.directories.count(kFolder), 1u);
  EXPECT_EQ(files_.files, (std::map<std::wstring, std::string>{{kFile, "new"}}));
  EXPECT_EQ(files_.temporaries, 1);
  std::string bytes;
  ASSERT_EQ(storage_.Read(nullptr, bytes), 0u);
  EXPECT_EQ(bytes, "new");

  ASSERT_EQ(storage_.Write("D:\\books\\mine.pbk", "mine"), 0u);  // the caller's own phonebook
  EXPECT_EQ(files_.files.at(L"D:\\books\\mine.pbk"), "mine");
  EXPECT_EQ(files_.directories.count(L"D:\\books"), 1u);
}

TEST_F(StandinFileStorage, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  for (bool FakeFileOps::*failure : {&FakeFileOps::failWrite, &FakeFileOps::failReplace,
                                     &FakeFileOps::failTemporary, &FakeFileOps::failDirectories}) {
    files_ = FakeFileOps{};
    files_.files[kFile] = "old phonebook";
    files_.*failure = true;
    EXPECT_EQ(storage_.Write(nullptr, "new phonebook"), 624u);
    EXPECT_EQ(files_.files, (std::map<std::wstring, std::string>{{kFile, "old phonebook"}}));
  }
}

TEST_F(StandinFileStorage, ReadsAMissingFileAsAnEmptyPhonebook) {
  std::string bytes = "stale";
  EXPECT_EQ(storage_.Read(nullptr, bytes), 0u);
  EXPECT_EQ(bytes, "");
  files_.files[kFile] = std::string(standin::kMaxPhonebookBytes + 1, '\n');
  EXPECT_EQ(storage_.Read(nullptr, bytes), 625u);
  files_.readFailure = true;
  EXPECT_EQ(storage_.Read(nullptr, bytes), 621u);
  EXPECT_EQ(storage_.Read("", bytes), 621u);
  EXPECT_EQ(storage_.Write("", "x"), 624u);
}

}  // namespace

// The only writer, on real Windows files: the target is replaced in one step
// or not at all, and no temporary file is left either way.
#include "platform/atomic_output_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/test_files.h"

namespace larkfold {
namespace {

std::string Contents(const std::wstring& path) {
  std::string bytes;
  return ReadFileBytes(path, bytes) ? bytes : "<missing>";
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  AtomicOutputFile file;
  if (!file.Open(path)) {
    return false;
  }
  file.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  file.Commit();
  return true;
}

TEST(Win32AtomicOutputFile, CreatesANewFile) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteAll(folder.Utf8File(L"song.voi"), "new"));
  EXPECT_EQ(Contents(folder.File(L"song.voi")), "new");
  EXPECT_EQ(folder.FileCount(), 1);
}

TEST(Win32AtomicOutputFile, ReplacesALongerFileWhole) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File(L"song.voi"), std::string(1000, 'o')));
  ASSERT_TRUE(WriteAll(folder.Utf8File(L"song.voi"), "new"));
  EXPECT_EQ(Contents(folder.File(L"song.voi")), "new");
  EXPECT_EQ(folder.FileCount(), 1);
}

TEST(Win32AtomicOutputFile, NotCommittingLeavesTheTargetAsItWas) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File(L"song.voi"), "old"));
  {
    AtomicOutputFile file;
    ASSERT_TRUE(file.Open(folder.Utf8File(L"song.voi")));
    file.Write("new", 3);
  }
  EXPECT_EQ(Contents(folder.File(L"song.voi")), "old");
  EXPECT_EQ(folder.FileCount(), 1) << "the temporary file was left";
}

TEST(Win32AtomicOutputFile, RefusesWhatItMayNotReplace) {
  ScratchFolder folder;
  ASSERT_TRUE(::CreateDirectoryW(folder.File(L"folder.voi").c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(folder.File(L"locked.voi"), "old"));
  ASSERT_TRUE(::SetFileAttributesW(folder.File(L"locked.voi").c_str(), FILE_ATTRIBUTE_READONLY));
  struct Case {
    const char* why;
    std::wstring name;
  };
  const Case cases[] = {
      {"a folder", L"folder.voi"},
      {"a read-only file", L"locked.voi"},
      {"a file in a missing folder", L"nowhere\\song.voi"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    AtomicOutputFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(folder.Utf8File(c.name), &error));
    EXPECT_NE(error.m_cause, CFileException::none);
  }
  EXPECT_EQ(Contents(folder.File(L"locked.voi")), "old");
  EXPECT_EQ(folder.FileCount(), 1) << "a temporary file was left";
}

TEST(Win32AtomicOutputFile, ATargetHeldOpenElsewhereStaysAsItWas) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File(L"song.voi"), "old"));
  HANDLE holder = ::CreateFileW(folder.File(L"song.voi").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  bool raised = false;
  {
    AtomicOutputFile file;
    if (file.Open(folder.Utf8File(L"song.voi"))) {
      file.Write("new", 3);
      try {
        file.Commit();
      } catch (const CFileException& error) {
        raised = error.m_operation == CFileException::Operation::replace;
      }
    } else {
      raised = true;
    }
  }
  ::CloseHandle(holder);
  EXPECT_TRUE(raised);
  EXPECT_EQ(Contents(folder.File(L"song.voi")), "old");
  EXPECT_EQ(folder.FileCount(), 1) << "the temporary file was left";
}

}  // namespace
}  // namespace larkfold

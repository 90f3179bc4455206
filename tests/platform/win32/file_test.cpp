// The file class on real Windows files, with the causes a conversion's
// message depends on.
#include "platform/file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/test_files.h"

namespace larkfold {
namespace {

// Opens `path` and returns the cause of the failure; -1 when it opened.
int OpenCause(const std::string& path) {
  CFile file;
  CFileException error;
  return file.Open(path, CFile::modeRead, &error) ? -1 : error.m_cause;
}

TEST(Win32File, ReadsAWholeFile) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File(L"song.dat"), "0123456789"));
  CFile file;
  ASSERT_TRUE(file.Open(folder.Utf8File(L"song.dat"), CFile::modeRead));
  EXPECT_EQ(file.GetLength(), 10u);
  char buffer[16] = {};
  EXPECT_EQ(file.Read(buffer, 16), 10u);
  EXPECT_EQ(std::string(buffer, 10), "0123456789");
  file.Close();
}

TEST(Win32File, GivesTheCausesTheMessagesDependOn) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File(L"held.dat"), "x"));
  ASSERT_TRUE(::CreateDirectoryW(folder.File(L"folder.dat").c_str(), nullptr));
  const std::string deep = folder.Utf8File(std::wstring(260, L'a') + L".dat");

  // Held by another opener that lets everyone read and write: the loader
  // shares with nobody, so it is still refused.
  HANDLE holder = ::CreateFileW(folder.File(L"held.dat").c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  struct Case {
    const char* why;
    std::string path;
    int cause;
  };
  const Case cases[] = {
      {"a missing file is not found", folder.Utf8File(L"missing.dat"),
       CFileException::fileNotFound},
      {"a missing folder on the way is a bad path", folder.Utf8File(L"nowhere\\song.dat"),
       CFileException::badPath},
      {"a folder is no file to read", folder.Utf8File(L"folder.dat"), CFileException::accessDenied},
      {"a file open elsewhere is a sharing violation", folder.Utf8File(L"held.dat"),
       CFileException::sharingViolation},
      {"a path of 260 characters or more is refused before the open", deep, CFileException::none},
      {"an empty path is refused before the open", "", CFileException::none},
      {"a device is no file to read", "NUL", CFileException::accessDenied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(OpenCause(c.path), c.cause);
  }
  ::CloseHandle(holder);
  EXPECT_EQ(OpenCause(folder.Utf8File(L"held.dat")), -1) << "the file opens once it is let go";
}

TEST(Win32File, SharesTheOpenFileWithNobody) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File(L"song.dat"), "x"));
  CFile file;
  ASSERT_TRUE(file.Open(folder.Utf8File(L"song.dat"), CFile::modeRead));
  HANDLE reader = ::CreateFileW(folder.File(L"song.dat").c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  if (reader != INVALID_HANDLE_VALUE) {
    ::CloseHandle(reader);
  }
}

// Names the system gives are held as WTF-8 and reach the file unchanged.
TEST(Win32File, OpensNamesOutsideTheAnsiCodePage) {
  ScratchFolder folder;
  const std::wstring name = L"曲\xD83C\xDFB5.dat";
  ASSERT_TRUE(WriteFileBytes(folder.File(name), "abc"));
  CFile file;
  ASSERT_TRUE(file.Open(folder.Utf8File(name), CFile::modeRead));
  EXPECT_EQ(file.GetLength(), 3u);
}

TEST(Win32File, DescribesTheSystemsReason) {
  // The system's own text, without its closing line break.
  const std::string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
}

}  // namespace
}  // namespace larkfold

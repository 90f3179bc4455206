// The POSIX platform on real files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "platform/atomic_output_file.h"
#include "platform/clock.h"
#include "platform/file.h"
#include "tests/e2e/e2e_support.h"

namespace larkfold {
namespace {

using e2e::Exists;
using e2e::FolderEntries;
using e2e::ReadFile;
using e2e::TemporaryFolder;
using e2e::WriteFile;

int OpenCause(const std::string& path) {
  CFile file;
  CFileException error;
  if (file.Open(path, CFile::modeRead, &error))
    return -1;
  EXPECT_EQ(error.m_strFileName, path);
  return error.m_cause;
}

TEST(PosixFile, ReadsARegularFileWhole) {
  TemporaryFolder folder;
  WriteFile(folder / "a.dat", "0123456789");
  CFile file;
  ASSERT_TRUE(file.Open(folder / "a.dat", CFile::modeRead));
  EXPECT_EQ(file.GetLength(), 10u);
  char buffer[16] = {};
  EXPECT_EQ(file.Read(buffer, 16), 10u) << "fewer bytes only at the end";
  EXPECT_EQ(std::string(buffer, 10), "0123456789");
  file.Close();
}

TEST(PosixFile, TellsAMissingFileFromEverythingElse) {
  TemporaryFolder folder;
  ::mkdir((folder / "dir").c_str(), 0755);
  WriteFile(folder / "plain", "x");
  ::mkfifo((folder / "pipe").c_str(), 0644);
  ::symlink((folder / "nowhere").c_str(), (folder / "dangling").c_str());
  const struct {
    std::string path;
    int cause;
    const char* why;
  } cases[] = {
      {folder / "missing.dat", CFileException::fileNotFound, "the folder exists"},
      {folder / "dangling", CFileException::fileNotFound, "a link to nothing"},
      {folder / "no/such.dat", CFileException::badPath, "a folder on the way is missing"},
      {folder / "plain/a.dat", CFileException::badPath, "a file where a folder should be"},
      {folder / "dir", CFileException::accessDenied, "a folder is not a file"},
      {folder / "pipe", CFileException::accessDenied, "a FIFO is refused, without waiting"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OpenCause(c.path), c.cause) << c.why;
}

TEST(PosixFile, SharesAnOpenFileWithNobodyElseWhoLocks) {
  TemporaryFolder folder;
  WriteFile(folder / "a.dat", "x");
  {
    CFile first;
    ASSERT_TRUE(first.Open(folder / "a.dat", CFile::modeRead));
    EXPECT_EQ(OpenCause(folder / "a.dat"), CFileException::sharingViolation);
  }
  EXPECT_EQ(OpenCause(folder / "a.dat"), -1) << "free again once closed";
}

TEST(PosixAtomicOutputFile, ReplacesTheTargetOnlyWhenCommitted) {
  TemporaryFolder folder;
  WriteFile(folder / "out.voi", "previous");
  {
    AtomicOutputFile file;
    ASSERT_TRUE(file.Open(folder / "out.voi"));
    file.Write("new", 3);
    EXPECT_EQ(ReadFile(folder / "out.voi"), "previous") << "nothing changes before the commit";
    EXPECT_EQ(FolderEntries(folder.path()).size(), 2u) << "the temporary file sits beside it";
  }
  EXPECT_EQ(ReadFile(folder / "out.voi"), "previous") << "not committing keeps the old file";
  EXPECT_EQ(FolderEntries(folder.path()).size(), 1u) << "and removes the temporary file";

  AtomicOutputFile file;
  ASSERT_TRUE(file.Open(folder / "out.voi"));
  file.Write("new", 3);
  file.Commit();
  EXPECT_EQ(ReadFile(folder / "out.voi"), "new");
  EXPECT_EQ(FolderEntries(folder.path()).size(), 1u);
}

TEST(PosixAtomicOutputFile, NotCommittingANewFileLeavesNothing) {
  TemporaryFolder folder;
  {
    AtomicOutputFile file;
    ASSERT_TRUE(file.Open(folder / "new.voi"));
    file.Write("abc", 3);
  }
  EXPECT_TRUE(FolderEntries(folder.path()).empty());
}

TEST(PosixAtomicOutputFile, RefusesWhatItMayNotReplace) {
  TemporaryFolder folder;
  ::mkdir((folder / "dir.voi").c_str(), 0755);
  ::mkfifo((folder / "pipe.voi").c_str(), 0644);
  WriteFile(folder / "plain", "x");
  for (const std::string& path : {folder / "dir.voi", folder / "pipe.voi",
                                  folder / "no/such/out.voi", folder / "plain/out.voi"}) {
    AtomicOutputFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path, &error)) << path;
    EXPECT_EQ(error.m_strFileName, path);
  }
  EXPECT_EQ(FolderEntries(folder.path()).size(), 3u);
}

TEST(PosixAtomicOutputFile, ANameAtTheLengthLimitStillGetsATemporaryFile) {
  TemporaryFolder folder;
  const std::string name = std::string(251, 'n') + ".voi";
  AtomicOutputFile file;
  ASSERT_TRUE(file.Open(folder / name));
  file.Write("x", 1);
  file.Commit();
  EXPECT_EQ(ReadFile(folder / name), "x");
}

TEST(PosixClock, CountsNanosecondsAndMillisecondsSinceTheStart) {
  std::int64_t frequency = 0;
  ASSERT_TRUE(ReadCounterFrequency(&frequency));
  EXPECT_EQ(frequency, 1000000000);
  const std::int64_t before = ReadCounter();
  const std::int32_t startMilliseconds = ReadMillisecondClock();
  // Busy for a while: the millisecond clock counts wall-clock time, not processor time.
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
  while (std::chrono::steady_clock::now() < until) {
    ::usleep(1000);
  }
  EXPECT_GE(ReadCounter() - before, 30'000'000);
  EXPECT_GE(ReadMillisecondClock() - startMilliseconds, 30);
  EXPECT_LT(startMilliseconds, 600000) << "counted from the program's start";
}

TEST(DescribeFileException, NamesTheFileTheOperationAndTheReason) {
  const CFileException error(CFileException::hardIO, 5, "song.dat",
                             CFileException::Operation::read);
  const std::string text = DescribeFileException(error);
  EXPECT_NE(text.find("「song.dat」"), std::string::npos) << text;
  EXPECT_NE(text.find("読み込み"), std::string::npos) << text;
  EXPECT_NE(text.find(SystemErrorText(5)), std::string::npos) << text;
  const CFileException full(CFileException::diskFull, -1, "out.voi",
                            CFileException::Operation::write);
  EXPECT_NE(DescribeFileException(full).find("ディスクがいっぱいです"), std::string::npos);
}

}  // namespace
}  // namespace larkfold

// The file class the loader reads with. It keeps the framework's semantics:
// Open reports failure through its return value and an optional exception
// record; the length query, Read and Close raise CFileException when the
// system reports a failure.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace larkfold {

class CFileException {
 public:
  // Failure causes, numbered as the framework numbers them.
  enum Cause : int {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  // What the file class was doing when the system refused.
  enum class Operation { open, length, read, write, close, replace };

  CFileException() = default;
  CFileException(int cause, long osError, std::string fileName, Operation operation)
      : m_cause(cause),
        m_lOsError(osError),
        m_strFileName(std::move(fileName)),
        m_operation(operation) {}

  int m_cause = none;
  long m_lOsError = -1;  // the system's own error number, -1 when there is none
  std::string m_strFileName;
  Operation m_operation = Operation::open;
};

// One sentence for a user: which file, what was being done, and the system's reason.
std::string DescribeFileException(const CFileException& error);

// The system's text for one of its error numbers.
std::string SystemErrorText(long osError);

class CFile {
 public:
  enum OpenFlags : unsigned {
    modeRead = 0x0000,
  };

  CFile() = default;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  ~CFile();  // closes a file still open, without raising

  // Opens an existing file for reading, shared with nobody where the system
  // can enforce it. Only regular files open. On failure returns false and, when
  // `error` is given, stores the cause, the system's error and the path in it.
  bool Open(const std::string& path, unsigned flags, CFileException* error = nullptr);

  std::uint64_t GetLength() const;

  // Reads up to `count` bytes; returns fewer only at the end of the file.
  std::uint32_t Read(void* buffer, std::uint32_t count);

  void Close();

  const std::string& GetFilePath() const { return path_; }

 private:
  std::intptr_t handle_ = -1;
  std::string path_;
};

}  // namespace larkfold

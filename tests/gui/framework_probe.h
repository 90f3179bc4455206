// What the framework probe program throws, shared with the test that reads
// its error boxes.
#pragma once

#include <windows.h>

#include "platform/file.h"

namespace larkfold {

// 1002 is also how the driver knows a program's main dialog.
inline constexpr int kThrowFileException = 1002;
inline constexpr int kThrowBadAlloc = 1004;
inline constexpr int kThrowOther = 1005;

inline CFileException ProbeFileException() {
  return CFileException(CFileException::hardIO, ERROR_CRC, "C:\\songs\\broken.dat",
                        CFileException::Operation::read);
}

}  // namespace larkfold

// The only way the program writes a file: the bytes go to a temporary file in
// the target's folder, which replaces the target in one step once it is
// complete and on disk. Until then the target stays exactly as it was, and a
// writer that is not committed removes its temporary file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file.h"

namespace larkfold {

class AtomicOutputFile {
 public:
  AtomicOutputFile() = default;
  AtomicOutputFile(const AtomicOutputFile&) = delete;
  AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;
  ~AtomicOutputFile();  // removes the temporary file unless committed

  // Checks that `path` can be replaced (its folder exists and an existing file
  // there is a writable regular file or a link) and creates the temporary file.
  // Returns false, leaving nothing behind, when either fails.
  bool Open(const std::string& path, CFileException* error = nullptr);

  // Both raise CFileException; a short write raises it with cause diskFull.
  void Write(const void* data, std::uint32_t count);
  void Commit();  // flush to disk, close, and replace the target

 private:
  std::intptr_t handle_ = -1;
  std::string target_;
  std::string temporary_;
};

}  // namespace larkfold

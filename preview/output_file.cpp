#include "preview/output_file.h"

#include "platform/atomic_output_file.h"

namespace larkfold {

std::string WriteWholeFile(const std::string& path, const std::string& bytes) {
  try {
    AtomicOutputFile file;
    CFileException error;
    if (!file.Open(path, &error)) {
      return DescribeFileException(error);
    }
    file.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    file.Commit();
  } catch (const CFileException& error) {
    return DescribeFileException(error);
  }
  return std::string();
}

}  // namespace larkfold

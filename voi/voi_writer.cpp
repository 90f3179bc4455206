#include "voi/voi_writer.h"

#include "convert/messages.h"
#include "platform/atomic_output_file.h"

namespace larkfold {

ConversionResult WriteVoiFile(const std::string& path, const std::uint8_t* data,
                              std::int32_t length) {
  // A failed write must neither destroy the user's previous file nor leave a
  // torn one, so every failure, including those the file class raises, has the
  // same result and the temporary file goes with the writer.
  try {
    AtomicOutputFile file;
    if (!file.Open(path)) {
      return ConversionResult(messages::kCannotCreate);
    }
    file.Write(data, static_cast<std::uint32_t>(length));
    file.Commit();
  } catch (const CFileException&) {
    return ConversionResult(messages::kCannotCreate);
  }
  return ConversionResult();
}

}  // namespace larkfold

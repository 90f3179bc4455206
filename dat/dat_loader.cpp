#include "dat/dat_loader.h"

#include <cstring>

#include "convert/block_pool.h"
#include "convert/messages.h"
#include "dat/dat_format.h"
#include "platform/file.h"

namespace larkfold {

ConversionResult LoadDatFile(const std::string& path, std::int32_t extraBytes, void*& block,
                             std::int32_t& length) {
  CFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeRead, &error)) {
    return ConversionResult(error.m_cause == CFileException::fileNotFound ? messages::kFileNotFound
                                                                          : messages::kCannotOpen);
  }

  // Refused here, before its length can wrap a 32-bit count or memory is
  // taken for it: no longer file can hold a valid recording.
  const std::uint64_t fileLength = file.GetLength();
  if (fileLength > static_cast<std::uint64_t>(kLongestDatFile)) {
    return ConversionResult(messages::kTooLarge);
  }
  length = static_cast<std::int32_t>(fileLength);

  block = BlockPool::Request(length + extraBytes);
  if (block == nullptr) {
    return ConversionResult(messages::kOutOfMemory);
  }

  ConversionResult result;
  if (length > 0 &&
      file.Read(block, static_cast<std::uint32_t>(length)) != static_cast<std::uint32_t>(length)) {
    result = messages::kReadError;
  }
  file.Close();
  std::memset(static_cast<unsigned char*>(block) + length, 0, static_cast<std::size_t>(extraBytes));
  return result;
}

}  // namespace larkfold

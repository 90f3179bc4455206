#include "voi/voi_image.h"

#include <cstring>

namespace larkfold {
namespace {

struct ImageRecord {
  std::uint8_t bytes[VoiImage::kCapacity];
  std::int32_t writePosition = 0;
};

ImageRecord image;

}  // namespace

void VoiImage::Begin(SourceType sourceType, std::int32_t channelCount) {
  image.bytes[0] = static_cast<std::uint8_t>(static_cast<std::int32_t>(sourceType) & 0xFF);
  image.bytes[1] = static_cast<std::uint8_t>(channelCount & 0xFF);
  image.writePosition = 4;
}

void VoiImage::Append(ChannelRecord record) {
  image.bytes[image.writePosition] = record[0];
  image.bytes[image.writePosition + 1] = record[1];
  image.writePosition += 2;
}

std::int32_t VoiImage::Finish(std::int32_t outputFrameCount) {
  image.bytes[2] = static_cast<std::uint8_t>(outputFrameCount & 0xFF);
  image.bytes[3] = static_cast<std::uint8_t>((outputFrameCount >> 8) & 0xFF);
  const std::int32_t recordsEnd = image.writePosition;
  std::memset(image.bytes + recordsEnd, 0, 256);
  image.writePosition += 256;
  return (recordsEnd + 255) & 0x0FFFFF00;
}

const std::uint8_t* VoiImage::Data() {
  return image.bytes;
}

}  // namespace larkfold

#include "voi/voi_reader.h"

#include "platform/file.h"

namespace larkfold {
namespace {

VoiReadResult Damaged(std::string reason) {
  VoiReadResult result;
  result.damage = std::move(reason);
  return result;
}

std::string Count(std::int64_t value, const char* unit) {
  return std::to_string(value) + " " + unit + (value == 1 ? "" : "s");
}

}  // namespace

VoiReadResult ParseVoi(const std::uint8_t* bytes, std::size_t length) {
  if (length < 4) {
    return Damaged("it is " + Count(static_cast<std::int64_t>(length), "byte") +
                   " long, shorter than the 4-byte header");
  }
  const int source = bytes[0];
  if (source != static_cast<int>(SourceType::Fm) && source != static_cast<int>(SourceType::Pcm)) {
    return Damaged("byte 0 (the source type) is " + std::to_string(source) +
                   ", not 3 (FM) or 4 (PCM)");
  }
  const int channels = bytes[1];
  if (channels < 3 || channels > 8) {
    return Damaged("byte 1 (the channel count) is " + std::to_string(channels) + ", not 3 to 8");
  }
  const int frames = bytes[2] | (bytes[3] << 8);
  const std::int64_t recordsEnd = 4 + std::int64_t{2} * channels * frames;
  const std::int64_t expected = (recordsEnd + 255) / 256 * 256;
  const auto actual = static_cast<std::int64_t>(length);
  if (actual < recordsEnd) {
    return Damaged("the header announces " + Count(frames, "frame") + " of " +
                   Count(channels, "channel") + ", which need " + Count(recordsEnd, "byte") +
                   ", but the file has only " + Count(actual, "byte") + " (cut short?)");
  }
  if (actual != expected) {
    return Damaged("it is " + Count(actual, "byte") + " long; " + Count(frames, "frame") + " of " +
                   Count(channels, "channel") + " make a file of " + Count(expected, "byte"));
  }
  for (std::int64_t offset = recordsEnd; offset < actual; ++offset) {
    if (bytes[offset] != 0) {
      return Damaged("byte " + std::to_string(offset) +
                     ", after the last channel record, is not zero");
    }
  }

  VoiReadResult result;
  VoiFile& file = result.file;
  file.sourceType = static_cast<SourceType>(source);
  file.channelCount = channels;
  file.frameCount = frames;
  file.fileLength = actual;
  file.records.resize(static_cast<std::size_t>(channels) * frames);
  for (std::size_t i = 0; i < file.records.size(); ++i) {
    file.records[i] = ChannelRecord{bytes[4 + 2 * i], bytes[5 + 2 * i]};
  }
  return result;
}

VoiReadResult ReadVoiFile(const std::string& path) {
  VoiReadResult failed;
  try {
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead, &error)) {
      failed.error = DescribeFileException(error);
      return failed;
    }
    const std::uint64_t length = file.GetLength();
    if (length > static_cast<std::uint64_t>(kLongestVoiFile)) {
      return Damaged("it is " + std::to_string(length) +
                     " bytes long, longer than any VOI file can be");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    const auto wanted = static_cast<std::uint32_t>(length);
    if (wanted > 0 && file.Read(bytes.data(), wanted) != wanted) {
      failed.error = path + ": the file became shorter while it was read";
      return failed;
    }
    file.Close();
    return ParseVoi(bytes.data(), bytes.size());
  } catch (const CFileException& error) {
    failed.error = DescribeFileException(error);
    return failed;
  }
}

}  // namespace larkfold

// Reading a VOI file back: the header, the length rule and the zero tail are
// checked, so that a file this program did not write whole is recognised and
// the reason given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/conversion_settings.h"
#include "voi/channel_record.h"

namespace larkfold {

struct VoiFile {
  SourceType sourceType = SourceType::Pcm;
  int channelCount = 0;
  int frameCount = 0;                  // output frames, as the header stores them
  std::int64_t fileLength = 0;         // bytes, zero tail included
  std::vector<ChannelRecord> records;  // frame-major: frame f, channel k at f * channelCount + k

  const ChannelRecord& Record(int frame, int channel) const {
    return records[static_cast<std::size_t>(frame) * channelCount + channel];
  }
};

// A parsed file, or why the bytes are not one.
struct VoiReadResult {
  VoiFile file;
  std::string damage;  // empty when the bytes are a whole VOI file
  std::string error;   // empty unless the file could not be read at all
  bool ok() const { return damage.empty() && error.empty(); }
};

// The longest file a VOI header can describe: 8 channels of 65535 frames,
// rounded up to 256 bytes.
inline constexpr std::int64_t kLongestVoiFile = 1048576;

// Checks and parses `length` bytes held in memory.
VoiReadResult ParseVoi(const std::uint8_t* bytes, std::size_t length);

// Reads and parses the file at `path`. A file that cannot be opened or read
// sets `error` (a sentence naming the file and the system's reason); one
// longer than any VOI file is damaged and is not read.
VoiReadResult ReadVoiFile(const std::string& path);

}  // namespace larkfold

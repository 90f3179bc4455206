// A 16-bit mono PCM WAV file, written as it is rendered through the atomic
// output file: the finished file replaces the target in one step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/atomic_output_file.h"

namespace larkfold {

// The 44-byte RIFF header of `sampleCount` 16-bit mono samples at `sampleRate`.
std::vector<std::uint8_t> WavHeader(int sampleRate, std::uint32_t sampleCount);

class WavWriter {
 public:
  // Opens the temporary file and writes the header. False when the target
  // cannot be written (`error` then says why); raises CFileException when
  // writing the header fails.
  bool Open(const std::string& path, int sampleRate, std::uint32_t sampleCount,
            CFileException* error);

  // Raise CFileException on failure.
  void Append(const std::vector<std::int16_t>& samples);
  void Commit();

 private:
  AtomicOutputFile file_;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace larkfold

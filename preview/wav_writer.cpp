#include "preview/wav_writer.h"

namespace larkfold {
namespace {

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

void PutText(std::vector<std::uint8_t>& bytes, const char (&text)[5]) {
  for (int i = 0; i < 4; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(text[i]));
  }
}

}  // namespace

std::vector<std::uint8_t> WavHeader(int sampleRate, std::uint32_t sampleCount) {
  constexpr std::uint32_t kBytesPerSample = 2;
  const std::uint32_t dataBytes = sampleCount * kBytesPerSample;
  std::vector<std::uint8_t> header;
  PutText(header, "RIFF");
  PutLittleEndian(header, 36 + dataBytes, 4);
  PutText(header, "WAVE");
  PutText(header, "fmt ");
  PutLittleEndian(header, 16, 4);  // size of the format chunk
  PutLittleEndian(header, 1, 2);   // integer PCM
  PutLittleEndian(header, 1, 2);   // one channel
  PutLittleEndian(header, static_cast<std::uint32_t>(sampleRate), 4);
  PutLittleEndian(header, static_cast<std::uint32_t>(sampleRate) * kBytesPerSample, 4);
  PutLittleEndian(header, kBytesPerSample, 2);  // bytes per sample frame
  PutLittleEndian(header, 16, 2);               // bits per sample
  PutText(header, "data");
  PutLittleEndian(header, dataBytes, 4);
  return header;
}

bool WavWriter::Open(const std::string& path, int sampleRate, std::uint32_t sampleCount,
                     CFileException* error) {
  if (!file_.Open(path, error)) {
    return false;
  }
  const std::vector<std::uint8_t> header = WavHeader(sampleRate, sampleCount);
  file_.Write(header.data(), static_cast<std::uint32_t>(header.size()));
  return true;
}

void WavWriter::Append(const std::vector<std::int16_t>& samples) {
  bytes_.clear();
  for (const std::int16_t sample : samples) {
    PutLittleEndian(bytes_, static_cast<std::uint16_t>(sample), 2);
  }
  file_.Write(bytes_.data(), static_cast<std::uint32_t>(bytes_.size()));
}

void WavWriter::Commit() {
  file_.Commit();
}

}  // namespace larkfold

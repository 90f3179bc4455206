#include "preview/in_memory_conversion.h"

#include "assign/channel_assignment.h"
#include "assign/permutation_table.h"
#include "assign/progress_state.h"
#include "assign/progress_timing.h"
#include "convert/block_pool.h"
#include "convert/conversion_settings.h"
#include "dat/dat_loader.h"
#include "dat/frame_preparation.h"
#include "voi/tempo_scaling.h"
#include "voi/voi_image.h"

namespace larkfold {
namespace {

constexpr std::int32_t kZeroBytesAfterFile = 4096;

// The common ending of a conversion, without its message box: on every way
// out, exceptions included.
class ConversionEnding {
 public:
  explicit ConversionEnding(ConversionHost& host) : host_(host) {}
  ~ConversionEnding() {
    if (ProgressState::progressWindow != nullptr) {
      host_.DestroyProgressWindow(ProgressState::progressWindow);
    }
    ProgressState::progressWindow = nullptr;
    BlockPool::Request(0);
    ProgressState::busy = 0;
  }

 private:
  ConversionHost& host_;
};

}  // namespace

InMemoryConversion ConvertInMemory(ConversionHost& host, SearchMethod method) {
  InMemoryConversion conversion;
  ConversionSettings settings;
  SearchTiming timing;
  if (!ReadConversionSettings(host, settings, timing.counterFrequency)) {
    conversion.outcome = ConversionOutcome::refused;
    return conversion;
  }

  ConversionEnding ending(host);
  void* block = nullptr;
  std::int32_t length = 0;
  conversion.message = LoadDatFile(settings.datPath, kZeroBytesAfterFile, block, length);
  std::int32_t frameCount = 0;
  if (conversion.message.empty()) {
    conversion.message = PrepareFrames(block, length, settings.channelCount, frameCount);
  }
  if (!conversion.message.empty()) {
    return conversion;
  }

  StartPollClock(timing);
  ProgressState::progressWindow = host.CreateProgressWindow();
  ProgressState::cancelRequested = 0;
  ProgressState::busy = 1;
  BuildPermutationTable(settings.channelCount);
  auto* frames = static_cast<DatFrame*>(block);
  if (!AssignChannels(frames, frameCount, settings.channelCount, method, timing, host)) {
    conversion.outcome = ConversionOutcome::cancelled;
    return conversion;
  }
  const std::int32_t fileLength = EncodeFrames(frames, frameCount, settings);
  conversion.voi.assign(VoiImage::Data(), VoiImage::Data() + fileLength);
  conversion.outcome = ConversionOutcome::converted;
  return conversion;
}

}  // namespace larkfold

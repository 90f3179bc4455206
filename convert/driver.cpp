#include "convert/driver.h"

#include "assign/channel_assignment.h"
#include "assign/permutation_table.h"
#include "assign/progress_state.h"
#include "assign/progress_timing.h"
#include "convert/block_pool.h"
#include "convert/conversion_settings.h"
#include "convert/messages.h"
#include "convert/path_rules.h"
#include "dat/dat_loader.h"
#include "dat/frame_preparation.h"
#include "voi/tempo_scaling.h"
#include "voi/voi_image.h"
#include "voi/voi_writer.h"

namespace larkfold {
namespace {

constexpr std::int32_t kZeroBytesAfterFile = 4096;

}  // namespace

void OnConvert(ConversionHost& host, SearchMethod method) {
  RunConversion(
      host, method,
      [](const ConversionSettings& settings, const std::uint8_t* image, std::int32_t length) {
        return WriteVoiFile(VoiPathFor(settings.datPath), image, length);
      });
}

void RunConversion(ConversionHost& host, SearchMethod method, const OutputStage& output) {
  if (ProgressState::busy != 0) {
    return;
  }

  ConversionSettings settings;
  SearchTiming timing;
  if (!ReadConversionSettings(host, settings, timing.counterFrequency)) {
    return;
  }

  void* block = nullptr;
  std::int32_t length = 0;
  ConversionResult result = LoadDatFile(settings.datPath, kZeroBytesAfterFile, block, length);

  std::int32_t frameCount = 0;
  if (result.empty()) {
    result = PrepareFrames(block, length, settings.channelCount, frameCount);
  }

  if (result.empty()) {
    StartPollClock(timing);
    ProgressState::progressWindow = host.CreateProgressWindow();
    ProgressState::cancelRequested = 0;
    ProgressState::busy = 1;

    BuildPermutationTable(settings.channelCount);
    auto* frames = static_cast<DatFrame*>(block);
    if (!AssignChannels(frames, frameCount, settings.channelCount, method, timing, host)) {
      FinishCancelledConversion(host);
      return;
    }

    const std::int32_t fileLength = EncodeFrames(frames, frameCount, settings);
    result = output(settings, VoiImage::Data(), fileLength);
  }

  if (ProgressState::progressWindow != nullptr) {
    host.DestroyProgressWindow(ProgressState::progressWindow);
  }
  ProgressState::progressWindow = nullptr;
  BlockPool::Request(0);
  if (result.empty()) {
    result = messages::kFinished;
  }
  host.ShowMessage(result, kMessageOk);
  ProgressState::busy = 0;
}

}  // namespace larkfold

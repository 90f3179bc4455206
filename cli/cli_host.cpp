#include "cli/cli_host.h"

#include <cstdio>

#include "assign/progress_state.h"
#include "cli/progress_line.h"
#include "convert/control_ids.h"
#include "convert/messages.h"
#include "platform/interrupt.h"
#include "platform/terminal.h"

namespace larkfold {

CliHost::CliHost(const ConvertOptions& options, std::string datPath, std::string prefix,
                 bool drawProgress)
    : options_(options),
      datPath_(std::move(datPath)),
      prefix_(std::move(prefix)),
      drawProgress_(drawProgress) {}

bool CliHost::IsButtonChecked(int controlId) {
  switch (controlId) {
    case IDC_SOURCE_FM:
      return options_.source == "fm";
    case IDC_SOURCE_PCM:
      return options_.source == "pcm";
    default:
      return controlId >= IDC_CHANNELS_3 && controlId <= IDC_CHANNELS_8 &&
             controlId - IDC_CHANNELS_3 + 3 == options_.channels;
  }
}

std::string CliHost::ControlText(int controlId) {
  switch (controlId) {
    case IDC_DAT_PATH:
      return datPath_;
    case IDC_VOLUME:
      return options_.volume;
    case IDC_SPEED:
      return options_.speed;
    default:
      return std::string();
  }
}

void CliHost::ShowMessage(std::string_view text, unsigned type) {
  ClearProgressLine();
  if (type == kMessageWarning) {
    lastMessage_ = MessageKind::warning;
  } else if (text == messages::kFinished) {
    lastMessage_ = MessageKind::finished;
  } else if (text == messages::kCancelled) {
    lastMessage_ = MessageKind::cancelled;
  } else {
    lastMessage_ = MessageKind::failure;
  }
  std::FILE* stream = lastMessage_ == MessageKind::finished ? stdout : stderr;
  std::fprintf(stream, "%s%.*s\n", prefix_.c_str(), static_cast<int>(text.size()), text.data());
  std::fflush(stream);
}

void CliHost::ReportError(const std::string& text) {
  ClearProgressLine();
  std::fprintf(stderr, "%s%s\n", prefix_.c_str(), text.c_str());
  std::fflush(stderr);
}

WindowHandle CliHost::CreateProgressWindow() {
  // Without a terminal there is no progress window, which the search allows for.
  return drawProgress_ ? static_cast<WindowHandle>(this) : nullptr;
}

void CliHost::DestroyProgressWindow(WindowHandle /*window*/) {
  ClearProgressLine();
  // What the window's own destroy handling does.
  ProgressState::cancelRequested = 1;
  ProgressState::progressWindow = nullptr;
}

void CliHost::SendUpdateCommand(WindowHandle /*window*/, int frameCount, int frame) {
  const std::string line =
      FormatProgressLine(ProgressState::remainingSeconds, frame, frameCount, TerminalColumns());
  std::fprintf(stderr, "\r%s%s\x1b[K", prefix_.c_str(), line.c_str());
  std::fflush(stderr);
  lineShown_ = true;
}

void CliHost::PumpWaitingMessages() {
  // The interrupt key is this tool's cancel button. It normally sets the flag
  // itself; one pressed before the search began is delivered here.
  if (InterruptReceived()) {
    ProgressState::cancelRequested = 1;
  }
}

void CliHost::ClearProgressLine() {
  if (lineShown_) {
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    lineShown_ = false;
  }
}

}  // namespace larkfold

// The conversion host of the command-line tool: the options stand in for the
// dialog's controls, messages go to the standard streams, and the progress
// window is a line redrawn on a terminal.
#pragma once

#include <string>

#include "convert/conversion_host.h"

namespace larkfold {

struct ConvertOptions {
  std::string source = "pcm";  // "fm" or "pcm"
  int channels = 5;            // 3 to 8
  std::string volume = "100";  // read as the dialog reads its field
  std::string speed = "1.0";
  bool quiet = false;
};

enum class MessageKind { none, warning, failure, cancelled, finished };

class CliHost final : public ConversionHost {
 public:
  // `prefix` goes before every message (the file's path when there are several).
  CliHost(const ConvertOptions& options, std::string datPath, std::string prefix,
          bool drawProgress);

  bool IsButtonChecked(int controlId) override;
  std::string ControlText(int controlId) override;
  void ShowMessage(std::string_view text, unsigned type) override;
  WindowHandle CreateProgressWindow() override;
  void DestroyProgressWindow(WindowHandle window) override;
  void SendUpdateCommand(WindowHandle window, int frameCount, int frame) override;
  void PumpWaitingMessages() override;

  // What the conversion's one message said.
  MessageKind LastMessage() const { return lastMessage_; }

  // Prints a line the way messages are printed, to standard error.
  void ReportError(const std::string& text);

 private:
  void ClearProgressLine();

  const ConvertOptions& options_;
  std::string datPath_;
  std::string prefix_;
  bool drawProgress_;
  bool lineShown_ = false;
  MessageKind lastMessage_ = MessageKind::none;
};

}  // namespace larkfold

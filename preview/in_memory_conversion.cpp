#include "preview/in_memory_conversion.h"

#include "convert/driver.h"
#include "convert/messages.h"

namespace larkfold {
namespace {

// Passes everything through to the host but the conversion's closing message,
// which becomes the outcome instead.
class ClosingMessageKeeper final : public ConversionHost {
 public:
  ClosingMessageKeeper(ConversionHost& host, InMemoryConversion& conversion)
      : host_(host), conversion_(conversion) {}

  bool IsButtonChecked(int controlId) override { return host_.IsButtonChecked(controlId); }
  std::string ControlText(int controlId) override { return host_.ControlText(controlId); }
  WindowHandle CreateProgressWindow() override { return host_.CreateProgressWindow(); }
  void DestroyProgressWindow(WindowHandle window) override { host_.DestroyProgressWindow(window); }
  void SendUpdateCommand(WindowHandle window, int frameCount, int frame) override {
    host_.SendUpdateCommand(window, frameCount, frame);
  }
  void PumpWaitingMessages() override { host_.PumpWaitingMessages(); }

  void ShowMessage(std::string_view text, unsigned type) override {
    if (type == kMessageWarning) {
      conversion_.outcome = ConversionOutcome::refused;
      host_.ShowMessage(text, type);
    } else if (text == messages::kFinished) {
      conversion_.outcome = ConversionOutcome::converted;
    } else if (text == messages::kCancelled) {
      conversion_.outcome = ConversionOutcome::cancelled;
    } else {
      conversion_.outcome = ConversionOutcome::failed;
      conversion_.message = std::string(text);
    }
  }

 private:
  ConversionHost& host_;
  InMemoryConversion& conversion_;
};

}  // namespace

InMemoryConversion ConvertInMemory(ConversionHost& host, SearchMethod method) {
  InMemoryConversion conversion;
  ClosingMessageKeeper keeper(host, conversion);
  RunConversion(
      keeper, method,
      [&conversion](const ConversionSettings&, const std::uint8_t* image, std::int32_t length) {
        conversion.voi.assign(image, image + length);
        return ConversionResult();
      });
  return conversion;
}

}  // namespace larkfold

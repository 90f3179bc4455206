// What a conversion needs from whoever asked for it: the main dialog's
// controls, its message boxes, the progress window and the message pump. The
// dialog program implements it with real windows, the command-line tool with
// its options and the terminal, the tests with a scripted fake.
#pragma once

#include <string>
#include <string_view>

namespace larkfold {

using WindowHandle = void*;

// Message box types: one OK button and no icon, or with the exclamation mark.
inline constexpr unsigned kMessageOk = 0x00;
inline constexpr unsigned kMessageWarning = 0x30;

class ConversionHost {
 public:
  virtual ~ConversionHost() = default;

  // Whether a radio button of the main dialog is selected.
  virtual bool IsButtonChecked(int controlId) = 0;

  // The whole text of an edit control of the main dialog, as UTF-8.
  virtual std::string ControlText(int controlId) = 0;

  // Shows a message box owned by the main dialog, captioned with the
  // application's name, and returns when the user has closed it.
  virtual void ShowMessage(std::string_view text, unsigned type) = 0;

  // Creates the progress window; null when it cannot be made.
  virtual WindowHandle CreateProgressWindow() = 0;

  // Destroys a progress window. Its destroy handling sets cancelRequested and
  // clears progressWindow in ProgressState, as every way of closing it does.
  virtual void DestroyProgressWindow(WindowHandle window) = 0;

  // The update command: the window redraws its text from remainingSeconds.
  // `frame` of `frameCount` is where the search stands, for hosts that show it.
  virtual void SendUpdateCommand(WindowHandle window, int frameCount, int frame) = 0;

  // Dispatches every message waiting for the program's windows.
  virtual void PumpWaitingMessages() = 0;
};

}  // namespace larkfold

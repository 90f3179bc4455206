// A scripted conversion host for the core's tests: its controls are plain
// fields, and it records every message box, progress window and update.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "assign/progress_state.h"
#include "convert/control_ids.h"
#include "convert/conversion_host.h"

namespace larkfold::testing {

struct ShownMessage {
  std::string text;
  unsigned type;
  bool operator==(const ShownMessage&) const = default;
};

class FakeHost : public ConversionHost {
 public:
  // The dialog as it opens: PCM, five channels, volume 100, speed 1.0.
  FakeHost() {
    checked[IDC_SOURCE_PCM] = true;
    checked[IDC_CHANNELS_5] = true;
    texts[IDC_VOLUME] = "100";
    texts[IDC_SPEED] = "1.0";
  }

  // Selects one button of a radio group, clearing the others as the dialog does.
  void SelectSource(int id) {
    checked[IDC_SOURCE_FM] = checked[IDC_SOURCE_PCM] = false;
    checked[id] = true;
  }
  void SelectChannels(int count) {
    for (int id = IDC_CHANNELS_3; id <= IDC_CHANNELS_8; ++id)
      checked[id] = false;
    checked[IDC_CHANNELS_3 + count - 3] = true;
  }

  bool IsButtonChecked(int controlId) override { return checked[controlId]; }
  std::string ControlText(int controlId) override {
    controlReads.push_back(controlId);
    return texts[controlId];
  }

  void ShowMessage(std::string_view text, unsigned type) override {
    messages.push_back({std::string(text), type});
    busyWhileMessageShown.push_back(ProgressState::busy);
    if (onMessage)
      onMessage();
  }

  WindowHandle CreateProgressWindow() override {
    ++windowsCreated;
    return createWindowFails ? nullptr : reinterpret_cast<WindowHandle>(&windowsCreated);
  }

  // What destroying the real progress window does through its procedure.
  void DestroyProgressWindow(WindowHandle) override {
    ++windowsDestroyed;
    ProgressState::cancelRequested = 1;
    ProgressState::progressWindow = nullptr;
  }

  void SendUpdateCommand(WindowHandle, int frameCount, int frame) override {
    updates.push_back({ProgressState::remainingSeconds, frameCount, frame});
  }

  void PumpWaitingMessages() override {
    ++pumps;
    if (onPump)
      onPump();
  }

  struct Update {
    double remainingSeconds;
    int frameCount;
    int frame;
  };

  std::map<int, bool> checked;
  std::map<int, std::string> texts;
  std::vector<int> controlReads;
  std::vector<ShownMessage> messages;
  std::vector<int> busyWhileMessageShown;
  std::vector<Update> updates;
  int windowsCreated = 0;
  int windowsDestroyed = 0;
  int pumps = 0;
  bool createWindowFails = false;
  std::function<void()> onPump;
  std::function<void()> onMessage;
};

}  // namespace larkfold::testing

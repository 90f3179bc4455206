// A program on the window framework whose button handlers throw, for the GUI
// test of the framework's error box: an exception that reaches a window
// procedure is reported there and never unwinds into the system's frames.
#include <new>
#include <stdexcept>

#include "framework/dialog.h"
#include "framework/win_app.h"
#include "platform/file.h"
#include "tests/gui/framework_probe.h"

namespace larkfold {
namespace {

class ThrowingDialog : public CDialog {
 public:
  ThrowingDialog() : CDialog(100, nullptr) {}

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      switch (LOWORD(wParam)) {
        case kThrowFileException:
          throw ProbeFileException();
        case kThrowBadAlloc:
          throw std::bad_alloc();
        case kThrowOther:
          throw std::runtime_error("other");
      }
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
  }
};

class ProbeApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    ThrowingDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
  }
};

ProbeApp theApp;

}  // namespace
}  // namespace larkfold

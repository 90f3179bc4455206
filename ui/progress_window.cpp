#include "ui/progress_window.h"

#include "assign/progress_state.h"
#include "assign/progress_text.h"
#include "platform/win32/wide_text.h"
#include "ui/resource.h"

namespace larkfold {
namespace {

constexpr WPARAM kUpdateCommand = 1;

void ShowRemainingTime(HWND window) {
  const std::wstring text = WideFromUtf8(RemainingTimeText(ProgressState::remainingSeconds));
  ::SetWindowTextW(::GetDlgItem(window, IDC_PROGRESS_TEXT), text.c_str());
}

}  // namespace

INT_PTR CALLBACK ProgressDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      // The template has no WS_VISIBLE: the window shows itself.
      ::ShowWindow(window, SW_SHOW);
      return TRUE;
    case WM_COMMAND:
      if (wParam == kUpdateCommand) {
        try {
          ShowRemainingTime(window);
        } catch (...) {
          // Out of memory for a line of text: the old text stays.
        }
        return TRUE;
      }
      ProgressState::cancelRequested = 1;
      ::DestroyWindow(window);
      return TRUE;
    case WM_CLOSE:
      ProgressState::cancelRequested = 1;
      ::DestroyWindow(window);
      return TRUE;
    case WM_DESTROY:
      ProgressState::cancelRequested = 1;
      ProgressState::progressWindow = nullptr;
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace larkfold

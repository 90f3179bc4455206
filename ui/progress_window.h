// The progress window: a plain modeless dialog that shows the remaining time
// of the search and offers a cancel button. All it shares with the program is
// ProgressState.
#pragma once

#include <windows.h>

namespace larkfold {

// WM_COMMAND with wParam 1 is the update command; any other command, the
// close box and the window's destruction ask for a cancel.
INT_PTR CALLBACK ProgressDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace larkfold

// The framework's control objects: thin names for a control's window.
#pragma once

#include <windows.h>

#include "framework/wnd.h"

namespace larkfold {

class CEdit : public CWnd {};

class CButton : public CWnd {
 public:
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

}  // namespace larkfold

// The device context of one WM_PAINT: BeginPaint on construction, EndPaint on
// destruction.
#pragma once

#include <windows.h>

#include "framework/wnd.h"

namespace larkfold {

class CPaintDC {
 public:
  explicit CPaintDC(CWnd* window) : m_window(window->m_hWnd) {
    m_hDC = ::BeginPaint(m_window, &m_ps);
  }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  ~CPaintDC() { ::EndPaint(m_window, &m_ps); }

  BOOL DrawIcon(int x, int y, HICON icon) const { return ::DrawIcon(m_hDC, x, y, icon); }

  HDC m_hDC;
  PAINTSTRUCT m_ps;

 private:
  HWND m_window;
};

}  // namespace larkfold

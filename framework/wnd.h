// The framework's window object: a window handle with the few operations the
// program's dialogs use, and the way back from a handle to its object.
#pragma once

#include <windows.h>

#include <string>

namespace larkfold {

class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();

  HWND m_hWnd = nullptr;

  // The object that owns the window `window`, or null when it has none.
  static CWnd* FromHandlePermanent(HWND window);

  // The window's whole text, and a new one; both as UTF-8.
  std::string GetWindowText() const;
  void SetWindowText(const std::string& text);

  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  HICON SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }

  // A message box owned by this window, captioned with the application's name.
  int MessageBox(const std::string& text, UINT type) const;

  // Keyboard and mouse messages of the thread pass here before they are
  // dispatched; true means the message has been dealt with.
  virtual BOOL PreTranslateMessage(MSG* message);

 protected:
  // Registers the object as the owner of `window`, or forgets it (null).
  void AttachPermanent(HWND window);

  // Leaves the message being handled to the system's own handling as well.
  void Default() { m_defaultWanted = true; }

  // The framework's base handlers: the system's handling.
  void OnClose() { Default(); }
  void OnDestroy() { Default(); }
  void OnPaint() { Default(); }

  bool m_defaultWanted = false;
};

}  // namespace larkfold

// The framework's application object. Exactly one exists, constructed before
// start-up; the start-up code records the module and the application's name
// (the executable's file name without its extension), then calls InitInstance.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "framework/wnd.h"

// The framework's command for the help key.
#define ID_HELP 0xE146

namespace larkfold {

class CWinApp {
 public:
  CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  virtual ~CWinApp();

  HINSTANCE m_hInstance = nullptr;
  std::wstring m_pszAppName;      // the caption of every message box
  std::wstring m_pszRegistryKey;  // named by SetRegistryKey; nothing is stored under it
  CWnd* m_pMainWnd = nullptr;

  // Returns FALSE to end the program without running the message loop.
  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The message loop, for an application whose InitInstance returns TRUE.
  virtual int Run();

  // Takes one message off the thread's queue (waiting for one), lets the
  // windows of the thread pre-translate it, otherwise translates and
  // dispatches it. FALSE when the message taken was WM_QUIT.
  virtual BOOL PumpMessage();

  // Offers the message to the object of its window and of each window above
  // it, up to the main window.
  virtual BOOL PreTranslateMessage(MSG* message);

  // Commands that no window handled. True when handled.
  virtual bool OnCommand(UINT id);

  HICON LoadIcon(UINT id) const;

 protected:
  void SetRegistryKey(const wchar_t* key);
  // The standard help handler. The program ships no help file, so there is
  // nothing for it to open.
  void OnHelp() {}
};

CWinApp* AfxGetApp();

// Shows the framework's error box for an exception that reached a window
// procedure: a stop icon and the failure's own text.
void ReportEscapedException(const std::exception_ptr& error);

}  // namespace larkfold

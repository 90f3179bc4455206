// The framework's dialog: a window made from a dialog template, run modally
// by a message loop of the framework's own, so that the application's
// pre-translation sees every message of the thread while it runs.
#pragma once

#include <windows.h>

#include "framework/wnd.h"

namespace larkfold {

class CDialog;

// Dialog data exchange: binds controls to their objects (no values are
// exchanged by this program).
struct CDataExchange {
  CDialog* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Gives `control` the window of the dialog's control `id`, once.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);

class CDialog : public CWnd {
 public:
  CDialog(UINT templateId, CWnd* parent);

  // Creates the dialog, runs it until EndDialog and destroys it. Returns the
  // value given to EndDialog, or -1 when the dialog could not be created.
  INT_PTR DoModal();

  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // The dialog's keyboard handling (tab and arrow keys, mnemonics, Enter and
  // Escape as OK and Cancel), for messages to the dialog and its controls only.
  BOOL PreTranslateMessage(MSG* message) override;

 protected:
  virtual void DoDataExchange(CDataExchange* exchange);
  // TRUE gives the focus to the first tab stop.
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // The message map: handles `message` and returns true, storing the
  // handler's result in `result`; false leaves it to the system. The base
  // sends the commands IDOK and IDCANCEL to OnOK and OnCancel and the
  // commands no window handles to the application.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void CenterOnScreen();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  bool m_continueModal = false;
  int m_nModalResult = -1;
};

}  // namespace larkfold

#include "framework/dialog.h"

#include <exception>

#include "framework/win_app.h"

namespace larkfold {
namespace {

// The messages whose result a dialog procedure returns itself rather than
// through DWLP_MSGRESULT.
bool ResultIsReturnedDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
  if (control.m_hWnd == nullptr) {
    control.m_hWnd = exchange->m_pDlgWnd->GetDlgItem(id);
  }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
  CWinApp* app = AfxGetApp();
  const HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
  if (owner != nullptr) {
    ::EnableWindow(owner, FALSE);
  }

  m_continueModal = true;
  m_nModalResult = -1;
  const HWND window = ::CreateDialogParamW(app->m_hInstance, MAKEINTRESOURCEW(m_nIDTemplate), owner,
                                           DialogProc, reinterpret_cast<LPARAM>(this));
  if (window != nullptr) {
    while (m_continueModal) {
      if (!app->PumpMessage()) {
        // The quit request belongs to the loop outside this one.
        ::PostQuitMessage(0);
        break;
      }
    }
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  if (owner != nullptr) {
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(owner);
  }
  if (m_hWnd != nullptr) {
    ::DestroyWindow(m_hWnd);
  }
  return m_nModalResult;
}

void CDialog::EndDialog(int result) {
  m_nModalResult = result;
  m_continueModal = false;
  ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange{this, saveAndValidate};
  DoDataExchange(&exchange);
  return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* message) {
  if (!IsInputMessage(message->message)) {
    return FALSE;
  }
  if (message->hwnd != m_hWnd && !::IsChild(m_hWnd, message->hwnd)) {
    return FALSE;
  }
  return ::IsDialogMessageW(m_hWnd, message);
}

void CDialog::DoDataExchange(CDataExchange* /*exchange*/) {}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) {
    return;
  }
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& /*result*/) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) {
    return false;
  }
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return AfxGetApp()->OnCommand(LOWORD(wParam));
  }
}

void CDialog::CenterOnScreen() {
  RECT window;
  RECT area;
  if (!::GetWindowRect(m_hWnd, &window) || !::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    return;
  }
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  ::SetWindowPos(m_hWnd, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    // The template places the dialog at 0, 0 with no position style of its
    // own, so the framework centres it.
    CenterOnScreen();
    return OnInitDialog();
  }
  // A handler may dispatch other messages (a conversion pumps them), so the
  // request for the system's handling is kept per message.
  const bool outerDefaultWanted = m_defaultWanted;
  m_defaultWanted = false;
  LRESULT result = 0;
  const bool handled = OnMessage(message, wParam, lParam, result) && !m_defaultWanted;
  m_defaultWanted = outerDefaultWanted;
  if (!handled) {
    return FALSE;
  }
  if (ResultIsReturnedDirectly(message)) {
    return static_cast<INT_PTR>(result);
  }
  ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dialog;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->AttachPermanent(window);
  } else {
    dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
  }
  if (dialog == nullptr) {
    return FALSE;
  }

  // No exception may unwind into the system's message dispatch: one that
  // reaches here ends the handler and is reported in the framework's box.
  INT_PTR handled = FALSE;
  try {
    handled = dialog->Dispatch(message, wParam, lParam);
  } catch (...) {
    ReportEscapedException(std::current_exception());
    handled = TRUE;
  }

  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, DWLP_USER, 0);
    dialog->AttachPermanent(nullptr);
  }
  return handled;
}

}  // namespace larkfold

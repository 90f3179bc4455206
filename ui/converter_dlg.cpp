#include "ui/converter_dlg.h"

#include <string>

#include "assign/progress_state.h"
#include "convert/conversion_settings.h"
#include "convert/driver.h"
#include "framework/file_dialog.h"
#include "framework/paint_dc.h"
#include "framework/win_app.h"
#include "ui/progress_window.h"
#include "ui/resource.h"

namespace larkfold {
namespace {

// OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT: no read-only check box; the second
// flag means nothing to an Open dialog.
constexpr DWORD kBrowseFlags = 6;
constexpr char kDatFilter[] = "DAT File  （ *.dat ）|*.dat||";
constexpr char kInitialSpeed[] = "1.0";

}  // namespace

CConverterDlg::CConverterDlg(CWnd* parent) : CDialog(IDD_MAIN, parent) {
  m_hAppIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CConverterDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_DAT_PATH, m_datPath);
  DDX_Control(exchange, IDC_VOLUME, m_volume);
  DDX_Control(exchange, IDC_SPEED, m_speed);
  DDX_Control(exchange, IDC_SOURCE_FM, m_sourceFm);
  DDX_Control(exchange, IDC_SOURCE_PCM, m_sourcePcm);
  for (int i = 0; i < 6; ++i) {
    DDX_Control(exchange, IDC_CHANNELS_3 + i, m_channels[i]);
  }
}

bool CConverterDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
      return true;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
          case IDC_BROWSE:
            OnBrowse();
            return true;
          case IDC_CONVERT:
            OnConvert();
            return true;
          case IDC_EXIT:
            OnExit();
            return true;
        }
      }
      break;
    case WM_CLOSE:
      OnClose();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
  }
  return CDialog::OnMessage(message, wParam, lParam, result);
}

BOOL CConverterDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hAppIcon, TRUE);
  SetIcon(m_hAppIcon, FALSE);
  m_volume.SetWindowText(std::to_string(kInitialVolumePercent));
  m_speed.SetWindowText(kInitialSpeed);
  m_channels[5 - 3].SetCheck(BST_CHECKED);
  m_sourcePcm.SetCheck(BST_CHECKED);
  return TRUE;
}

BOOL CConverterDlg::PreTranslateMessage(MSG* message) {
  // Enter and Escape go to the focused control like any other key, so they
  // neither press a button nor close the dialog.
  if (message->message == WM_KEYDOWN &&
      (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE)) {
    return FALSE;
  }
  return CDialog::PreTranslateMessage(message);
}

void CConverterDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
  const int iconWidth = ::GetSystemMetrics(SM_CXICON);
  const int iconHeight = ::GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(&client);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  dc.DrawIcon(x, y, m_hAppIcon);
}

HCURSOR CConverterDlg::OnQueryDragIcon() {
  return static_cast<HCURSOR>(m_hAppIcon);
}

void CConverterDlg::OnBrowse() {
  CFileDialog dialog(true, "dat", nullptr, kBrowseFlags, kDatFilter);
  if (dialog.DoModal() == IDOK) {
    m_datPath.SetWindowText(dialog.GetPathName());
  }
}

void CConverterDlg::OnConvert() {
  larkfold::OnConvert(*this);
}

void CConverterDlg::RequestCancel() {
  ProgressState::cancelRequested = 1;
  if (ProgressState::progressWindow != nullptr) {
    ::DestroyWindow(static_cast<HWND>(ProgressState::progressWindow));
  }
  ProgressState::progressWindow = nullptr;
}

void CConverterDlg::OnExit() {
  if (ProgressState::busy == 1) {
    RequestCancel();
    return;
  }
  OnOK();
}

void CConverterDlg::OnClose() {
  if (ProgressState::busy == 1) {
    RequestCancel();
  }
  // The system's handling posts IDCANCEL, which ends the dialog.
  CDialog::OnClose();
}

void CConverterDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (ProgressState::busy == 1) {
    RequestCancel();
  }
}

CWnd* CConverterDlg::EditFor(int controlId) {
  switch (controlId) {
    case IDC_DAT_PATH:
      return &m_datPath;
    case IDC_VOLUME:
      return &m_volume;
    case IDC_SPEED:
      return &m_speed;
    default:
      return nullptr;
  }
}

CButton* CConverterDlg::RadioButtonFor(int controlId) {
  if (controlId == IDC_SOURCE_FM) {
    return &m_sourceFm;
  }
  if (controlId == IDC_SOURCE_PCM) {
    return &m_sourcePcm;
  }
  if (controlId >= IDC_CHANNELS_3 && controlId <= IDC_CHANNELS_8) {
    return &m_channels[controlId - IDC_CHANNELS_3];
  }
  return nullptr;
}

bool CConverterDlg::IsButtonChecked(int controlId) {
  CButton* button = RadioButtonFor(controlId);
  return button != nullptr && button->GetCheck() != 0;
}

std::string CConverterDlg::ControlText(int controlId) {
  CWnd* edit = EditFor(controlId);
  return edit != nullptr ? edit->GetWindowText() : std::string();
}

void CConverterDlg::ShowMessage(std::string_view text, unsigned type) {
  MessageBox(std::string(text), type);
}

WindowHandle CConverterDlg::CreateProgressWindow() {
  return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), m_hWnd,
                              ProgressDialogProc, 0);
}

void CConverterDlg::DestroyProgressWindow(WindowHandle window) {
  ::DestroyWindow(static_cast<HWND>(window));
}

void CConverterDlg::SendUpdateCommand(WindowHandle window, int /*frameCount*/, int /*frame*/) {
  ::SendMessageW(static_cast<HWND>(window), WM_COMMAND, 1, 0);
}

void CConverterDlg::PumpWaitingMessages() {
  MSG waiting;
  while (::PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!AfxGetApp()->PumpMessage()) {
      // The quit request is for the program's main loop, later.
      ::PostQuitMessage(0);
      break;
    }
  }
}

}  // namespace larkfold

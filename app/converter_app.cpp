#include "app/converter_app.h"

#include "ui/converter_dlg.h"

namespace larkfold {

// The one application object, constructed before start-up.
CConverterApp theApp;

BOOL CConverterApp::InitInstance() {
  CWinApp::InitInstance();

  // Names where profile settings would go; the program stores none.
  SetRegistryKey(L"アプリケーション ウィザードで生成されたローカル アプリケーション");

  CConverterDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;

  // The program ends with the dialog: no message loop of the application.
  return FALSE;
}

bool CConverterApp::OnCommand(UINT id) {
  switch (id) {
    case ID_HELP:
      OnHelp();
      return true;
    default:
      return CWinApp::OnCommand(id);
  }
}

}  // namespace larkfold

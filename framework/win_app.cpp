#include "framework/win_app.h"

#include <exception>

#include "platform/file.h"
#include "platform/win32/wide_text.h"

namespace larkfold {
namespace {

CWinApp* theApplication = nullptr;

// The file name of the executable without its folder and extension.
std::wstring ApplicationNameOf(HINSTANCE instance) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return L"";
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  const std::size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace

CWinApp::CWinApp() {
  theApplication = this;
}

CWinApp::~CWinApp() {
  if (theApplication == this) {
    theApplication = nullptr;
  }
}

CWinApp* AfxGetApp() {
  return theApplication;
}

BOOL CWinApp::InitInstance() {
  return TRUE;
}

int CWinApp::ExitInstance() {
  return 0;
}

int CWinApp::Run() {
  while (PumpMessage()) {
  }
  return ExitInstance();
}

BOOL CWinApp::PumpMessage() {
  MSG message;
  if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
    return FALSE;
  }
  if (!PreTranslateMessage(&message)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* message) {
  // An owned window (the progress window) counts as below its owner.
  const HWND stop = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
  for (HWND window = message->hwnd; window != nullptr; window = ::GetParent(window)) {
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (object != nullptr && object->PreTranslateMessage(message)) {
      return TRUE;
    }
    if (window == stop) {
      break;
    }
  }
  return FALSE;
}

bool CWinApp::OnCommand(UINT /*id*/) {
  return false;
}

HICON CWinApp::LoadIcon(UINT id) const {
  return ::LoadIconW(m_hInstance, MAKEINTRESOURCEW(id));
}

void CWinApp::SetRegistryKey(const wchar_t* key) {
  m_pszRegistryKey = key;
}

void ReportEscapedException(const std::exception_ptr& error) {
  std::string text;
  try {
    std::rethrow_exception(error);
  } catch (const CFileException& fileError) {
    text = DescribeFileException(fileError);
  } catch (const std::bad_alloc&) {
    text = "メモリが不足しています";
  } catch (...) {
    text = "予期しないエラーが発生しました";
  }
  CWinApp* app = AfxGetApp();
  const HWND owner =
      app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
  ::MessageBoxW(owner, WideFromUtf8(text).c_str(), app != nullptr ? app->m_pszAppName.c_str() : L"",
                MB_OK | MB_ICONSTOP);
}

}  // namespace larkfold

// The start-up code of a program of the framework.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  larkfold::CWinApp* app = larkfold::AfxGetApp();
  if (app == nullptr) {
    return 1;
  }
  app->m_hInstance = instance;
  app->m_pszAppName = larkfold::ApplicationNameOf(instance);
  try {
    return app->InitInstance() ? app->Run() : app->ExitInstance();
  } catch (...) {
    larkfold::ReportEscapedException(std::current_exception());
    return 1;
  }
}

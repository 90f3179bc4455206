#include "framework/file_dialog.h"

#include <commdlg.h>

#include "framework/win_app.h"
#include "platform/win32/wide_text.h"

namespace larkfold {
namespace {

// Long enough for any path the system can give.
constexpr std::size_t kPathCapacity = 32768;

}  // namespace

CFileDialog::CFileDialog(bool /*openFileDialog*/, const char* defaultExtension,
                         const char* fileName, DWORD flags, const char* filter, CWnd* parent)
    : m_flags(flags), m_parent(parent) {
  if (defaultExtension != nullptr) {
    m_defaultExtension = WideFromUtf8(defaultExtension);
  }
  if (fileName != nullptr) {
    m_file = WideFromUtf8(fileName);
  }
  if (filter != nullptr) {
    m_filter = WideFromUtf8(filter);
    for (wchar_t& c : m_filter) {
      if (c == L'|') {
        c = L'\0';
      }
    }
  }
}

INT_PTR CFileDialog::DoModal() {
  std::wstring buffer = m_file;
  buffer.resize(kPathCapacity, L'\0');

  CWinApp* app = AfxGetApp();
  CWnd* owner = m_parent != nullptr ? m_parent : app->m_pMainWnd;

  OPENFILENAMEW request = {};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner != nullptr ? owner->m_hWnd : nullptr;
  request.hInstance = app->m_hInstance;
  request.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = buffer.data();
  request.nMaxFile = static_cast<DWORD>(buffer.size());
  request.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
  request.Flags = m_flags | OFN_EXPLORER | OFN_ENABLESIZING;

  if (!::GetOpenFileNameW(&request)) {
    return IDCANCEL;
  }
  m_file.assign(buffer.c_str());
  return IDOK;
}

std::string CFileDialog::GetPathName() const {
  return Utf8FromWide(m_file);
}

}  // namespace larkfold

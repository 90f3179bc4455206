// The framework's file dialog: the system's Open dialog with a filter written
// as "name|pattern|...|" and a default extension.
#pragma once

#include <windows.h>

#include <string>

#include "framework/wnd.h"

namespace larkfold {

class CFileDialog {
 public:
  // `openFileDialog` must be true: the program only opens. Texts are UTF-8.
  // Without a parent the application's main window owns the dialog.
  CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
              const char* filter, CWnd* parent = nullptr);

  // IDOK when a file was chosen, IDCANCEL otherwise.
  INT_PTR DoModal();

  // The full path of the chosen file, as UTF-8.
  std::string GetPathName() const;

 private:
  std::wstring m_defaultExtension;
  std::wstring m_filter;  // the pairs separated by null characters
  std::wstring m_file;
  DWORD m_flags;
  CWnd* m_parent;
};

}  // namespace larkfold

#include "framework/wnd.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/win_app.h"
#include "platform/win32/wide_text.h"

namespace larkfold {
namespace {

// The windows that have an object; a dialog program has very few.
std::vector<std::pair<HWND, CWnd*>>& PermanentWindows() {
  static std::vector<std::pair<HWND, CWnd*>> windows;
  return windows;
}

}  // namespace

CWnd::~CWnd() {
  AttachPermanent(nullptr);
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
  for (const auto& [handle, object] : PermanentWindows()) {
    if (handle == window) {
      return object;
    }
  }
  return nullptr;
}

void CWnd::AttachPermanent(HWND window) {
  auto& windows = PermanentWindows();
  windows.erase(std::remove_if(windows.begin(), windows.end(),
                               [this](const auto& entry) { return entry.second == this; }),
                windows.end());
  m_hWnd = window;
  if (window != nullptr) {
    windows.emplace_back(window, this);
  }
}

std::string CWnd::GetWindowText() const {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
  const int length = ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(length, 0)));
  return Utf8FromWide(text);
}

void CWnd::SetWindowText(const std::string& text) {
  ::SetWindowTextW(m_hWnd, WideFromUtf8(text).c_str());
}

int CWnd::MessageBox(const std::string& text, UINT type) const {
  return ::MessageBoxW(m_hWnd, WideFromUtf8(text).c_str(), AfxGetApp()->m_pszAppName.c_str(), type);
}

BOOL CWnd::PreTranslateMessage(MSG* /*message*/) {
  return FALSE;
}

}  // namespace larkfold

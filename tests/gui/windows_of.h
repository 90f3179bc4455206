// Looking at another program's windows from outside, the way a user's tools
// would: finding them, reading their texts and states, and sending them the
// messages a mouse or keyboard would cause. Every wait has a time limit.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace larkfold::gui {

// How long a window may take to appear or go away before a test gives up.
inline constexpr DWORD kPatience = 20000;

// Calls `find` until it returns a window or `timeout` milliseconds have passed.
HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeout = kPatience);

// Calls `done` until it returns true or the time is up; returns its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout = kPatience);

// The visible top-level windows of process `processId` whose class is the
// dialog class, topmost first.
std::vector<HWND> DialogsOf(DWORD processId);

std::wstring ClassOf(HWND window);

// The whole text of a window of another process (WM_GETTEXT).
std::wstring TextOf(HWND window);
std::wstring ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::wstring& text);
bool IsItemChecked(HWND dialog, int id);

// A click on a button, as the mouse makes one. It is posted, so that a
// handler that opens a message box does not hold the caller.
void Click(HWND dialog, int id);

// A key pressed and released in `window` (posted, as the keyboard does).
void PressKey(HWND window, WPARAM key);

// The window that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

// The icon a message box shows, read from the pixels of its icon control.
enum class BoxIcon { none, exclamation, stop, information, question, unknown };
const char* NameOf(BoxIcon icon);
inline void PrintTo(BoxIcon icon, std::ostream* out) {
  *out << NameOf(icon);
}

struct MessageBoxView {
  std::wstring caption;
  std::wstring text;
  BoxIcon icon = BoxIcon::unknown;
};

// Reads a message box. The box is moved clear of the program's other windows
// first, so that its icon can be seen on the screen.
MessageBoxView ReadMessageBox(HWND box);

// Presses the box's OK button and waits until the box is gone.
bool Acknowledge(HWND box);

// UTF-8 for test messages.
std::string Narrow(const std::wstring& text);

}  // namespace larkfold::gui

#include "platform/terminal.h"

#include <windows.h>

namespace larkfold {
namespace {

HANDLE StandardError() {
  return ::GetStdHandle(STD_ERROR_HANDLE);
}

}  // namespace

void PrepareTerminalOutput() {
  // The messages are UTF-8; the progress line moves the cursor with escape
  // sequences, which the console follows only when asked to.
  ::SetConsoleOutputCP(CP_UTF8);
  DWORD mode = 0;
  if (::GetConsoleMode(StandardError(), &mode)) {
    ::SetConsoleMode(StandardError(), mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }
}

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return ::GetConsoleMode(StandardError(), &mode) != 0;
}

int TerminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (::GetConsoleScreenBufferInfo(StandardError(), &info)) {
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    if (columns > 0) {
      return columns;
    }
  }
  return 80;
}

}  // namespace larkfold

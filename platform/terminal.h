// The command-line tool's terminal.
#pragma once

namespace larkfold {

// Lets the standard streams carry UTF-8 text to the terminal.
void PrepareTerminalOutput();

// Whether standard error is a terminal (where a progress line may be drawn).
bool StandardErrorIsTerminal();

// The terminal's width in columns, 80 when it cannot be told.
int TerminalColumns();

}  // namespace larkfold

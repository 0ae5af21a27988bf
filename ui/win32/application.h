#pragma once

// The program's start on Windows: what wWinMain calls once the first window is shown.

namespace ui::win32 {

// Runs the message loop until ui::endProgram(); returns the program's exit code.
int run();

} // namespace ui::win32

#pragma once

// The program's start on Windows: what wWinMain calls once the first window is shown.

#include <string_view>

namespace ui::win32 {

// Runs the message loop until ui::endProgram(); returns the program's exit code.
int run();

// In wWinMain's catch: says what went wrong in a box titled `title`, for a program that cannot
// start or go on; returns the exit status.
int failed(std::u16string_view title);

} // namespace ui::win32

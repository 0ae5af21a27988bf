#pragma once

// The few services outside the windows that the forms use: the desktop colour, clipboard text,
// the ordinary-file test and ending the program. Each binding implements them.

#include "ui/controls.h"

#include <string>
#include <string_view>

namespace ui {

// The background of both windows and of the labels on them. A light steel blue: distinct from
// the white highlight of the kanji reader, and black text on it keeps a contrast of about 10:1.
constexpr Color desktopColor()
{
    return {0x9D, 0xB9, 0xD5};
}

std::u16string clipboardText();

// True when `name` names an ordinary, visible file in the current directory. The name is taken
// literally: no wildcards, and a name with a path separator or a leading "." is never found.
bool isOrdinaryFile(std::u16string_view name);

// Ends the program once the running handler returns: no handler runs after it.
void endProgram();

} // namespace ui

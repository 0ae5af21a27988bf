#pragma once

// The program object, fonts, colours and the few services outside the windows that the forms
// use: clipboard text, the ordinary-file test and ending the program.

#include "ui/controls.h"

#include <memory>
#include <string>
#include <string_view>

class QApplication;

namespace ui {

inline constexpr std::u16string_view ProgramTitle = u"Online Kanji Learning Program";

// The background of both windows and of the labels on them.
Color desktopColor();

// Maps the Windows face names of the layouts to installed faces and sets the default UI font.
void setUpFonts();

// Lets assistive technology press the kanji cells as a click does.
void setUpAccessibility();

std::u16string clipboardText();

// True when `name` names an ordinary, visible file in the current directory. The name is taken
// literally: no wildcards, and a name with a path separator or a leading "." is never found.
bool isOrdinaryFile(std::u16string_view name);

// Leaves the event loop, so the program ends once the running handler returns.
void endProgram();

class Application
{
public:
    Application(int &argc, char **argv);
    ~Application();
    int exec();

private:
    std::unique_ptr<QApplication> m_app;
};

} // namespace ui

#pragma once

// The Qt application object with the fonts and the accessibility the windows need.

#include <memory>
#include <string_view>

class QApplication;

namespace ui {

// The names the desktop knows the program by; empty ones are left to Qt.
struct Identity
{
    std::string_view name;
    std::string_view version;
    std::string_view desktopFileName;
};

// Maps the Windows face names of the layouts to installed faces and sets the default UI font.
void setUpFonts();

// Lets assistive technology press the kanji cells as a click does, and hear the live fields.
void setUpAccessibility();

class Application
{
public:
    Application(int &argc, char **argv, const Identity &identity = {});
    ~Application();
    int exec();

private:
    std::unique_ptr<QApplication> m_app;
};

} // namespace ui

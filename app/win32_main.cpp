// The start on Windows: the same program as on the desktop and in the page.

#include "app/program.h"
#include "ui/win32/application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Program program;
    program.start();
    return ui::win32::run();
}

// The start on Windows: the same program as on the desktop and in the page.

#include "app/identity.h"
#include "app/program.h"
#include "ui/win32/application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        Program program;
        program.start();
        return ui::win32::run();
    } catch (...) {
        return ui::win32::failed(app::ProgramTitle);
    }
}

#include "app/command_line.h"
#include "app/display.h"
#include "app/identity.h"
#include "app/platform_choice.h"
#include "app/program.h"
#include "ui/qt/application.h"

int main(int argc, char **argv)
{
    if (const auto exitCode = app::answerCommandLine(argc, argv))
        return *exitCode;
    app::choosePlatform();
    app::StartGuard guard; // without a display, one line and exit status 1
    ui::Application application(argc, argv,
        {.name = app::ExecutableName,
            .version = app::Version,
            .desktopFileName = app::DesktopFileName});
    guard.started();
    Program program;
    program.start();
    return application.exec();
}

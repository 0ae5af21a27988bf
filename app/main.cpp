#include "app/display.h"
#include "app/program.h"
#include "ui/command_line.h"
#include "ui/platform.h"

int main(int argc, char **argv)
{
    if (const auto exitCode = ui::answerCommandLine(argc, argv))
        return *exitCode;
    app::StartGuard guard; // without a display, one line and exit status 1
    ui::Application application(argc, argv);
    guard.started();
    Program program;
    program.start();
    return application.exec();
}

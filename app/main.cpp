#include "app/command_line.h"
#include "app/identity.h"
#include "app/program.h"
#include "ui/qt/application.h"

int main(int argc, char **argv)
{
    if (const auto exitCode = app::answerCommandLine(argc, argv))
        return *exitCode;
    ui::Application application(argc, argv,
        {.name = app::ExecutableName,
            .version = app::Version,
            .desktopFileName = app::DesktopFileName});
    Program program;
    program.start();
    return application.exec();
}

#include "app/program.h"
#include "ui/command_line.h"
#include "ui/platform.h"

int main(int argc, char **argv)
{
    if (const auto exitCode = ui::answerCommandLine(argc, argv))
        return *exitCode;
    ui::Application application(argc, argv);
    Program program;
    program.start();
    return application.exec();
}

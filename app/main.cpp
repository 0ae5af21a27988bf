#include "app/program.h"
#include "ui/platform.h"

int main(int argc, char **argv)
{
    ui::Application application(argc, argv);
    Program program;
    program.start();
    return application.exec();
}

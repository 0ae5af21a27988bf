// The page's start: the same program as on the desktop. main() returns at once and the page goes
// on, so the program outlives it.

#include "app/program.h"

int main()
{
    static Program program;
    program.start();
    return 0;
}

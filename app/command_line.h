#pragma once

// The command line of a desktop program: --help, --version and Qt's own options (-platform,
// -style, -reverse ...), which QApplication takes out of argv itself. It is read before any
// application object exists, so that --version answers and a mistyped option fails even where no
// display can be opened.

#include <optional>
#include <string>
#include <vector>

namespace app {

struct CommandLineAnswer
{
    int exitCode = 0;
    std::string out; // for stdout
    std::string err; // for stderr
};

// The answer when the command line ends the program before it starts (help, version, a mistake),
// nothing when the program should start. `arguments` includes the program name first.
std::optional<CommandLineAnswer> readCommandLine(const std::vector<std::string> &arguments);

// Prints the answer for argv and returns its exit code; nothing when the program should start.
std::optional<int> answerCommandLine(int argc, char **argv);

} // namespace app

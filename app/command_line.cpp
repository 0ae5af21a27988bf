#include "app/command_line.h"

#include "app/identity.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <string_view>
#include <utility>

namespace app {

namespace {

    // The options that QGuiApplication, QApplication and the xcb platform take out of argv. They
    // are listed here only so that they are not refused before QApplication sees them.
    struct QtOption
    {
        const char *name;
        bool takesValue;
    };

    constexpr QtOption qtOptions[] = {
        {"platform", true},
        {"platformpluginpath", true},
        {"platformtheme", true},
        {"plugin", true},
        {"qwindowgeometry", true},
        {"geometry", true},
        {"qwindowtitle", true},
        {"title", true},
        {"qwindowicon", true},
        {"icon", true},
        {"display", true},
        {"name", true},
        {"session", true},
        {"style", true},
        {"stylesheet", true},
        {"qmljsdebugger", true},
        {"reverse", false},
        {"widgetcount", false},
        {"testability", false},
        {"sync", false},
        {"nograb", false},
        {"dograb", false},
    };

    CommandLineAnswer printed(std::string text)
    {
        return {.exitCode = 0, .out = std::move(text), .err = {}};
    }

    // Exit status 2, as other command-line programs give for a usage mistake.
    CommandLineAnswer refused(const QString &what)
    {
        return {.exitCode = 2,
            .out = {},
            .err = std::string(ExecutableName) + ": " + what.toStdString() + "\nTry '"
                + std::string(ExecutableName) + " --help' for more information.\n"};
    }

} // namespace

std::optional<CommandLineAnswer> readCommandLine(const std::vector<std::string> &arguments)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words: "-platform offscreen", "-reverse".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "A kanji dictionary, a kanji reader and a verb conjugator for learners of Japanese.\n"
        "Qt's standard options, such as -platform, -style and -reverse, are accepted too."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
        QStringLiteral("Displays help on command line options."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Displays version information."));
    parser.addOption(help);
    parser.addOption(version);
    for (const QtOption &qt : qtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name));
        if (qt.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    QStringList list;
    for (const std::string &argument : arguments)
        list.append(QString::fromLocal8Bit(argument));
    if (!parser.parse(list))
        return refused(parser.errorText());
    if (!parser.positionalArguments().isEmpty()) {
        return refused(
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]));
    }
    if (parser.isSet(help)) {
        // helpText() names the executable by the path it was started with, or by a placeholder when
        // no application object exists yet.
        QString text = parser.helpText();
        text
            = QStringLiteral("Usage: %1 [options]")
                  .arg(QString::fromLatin1(ExecutableName.data(), qsizetype(ExecutableName.size())))
            + text.mid(text.indexOf(u'\n'));
        return printed(text.toStdString());
    }
    if (parser.isSet(version))
        return printed(std::string(ExecutableName) + " " + std::string(Version) + "\n");
    return std::nullopt;
}

std::optional<int> answerCommandLine(int argc, char **argv)
{
    const std::optional<CommandLineAnswer> answer
        = readCommandLine(std::vector<std::string>(argv, argv + argc));
    if (!answer)
        return std::nullopt;
    std::fputs(answer->out.c_str(), stdout);
    std::fputs(answer->err.c_str(), stderr);
    return answer->exitCode;
}

} // namespace app

// The command line is read before any application object exists: --version and a mistake must
// answer even where no display can be opened, and Qt's own options must pass to QApplication.

#include "app/command_line.h"

#include <QProcess>
#include <QTest>

#include <optional>
#include <string>
#include <vector>

class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersBeforeStart_data();
    void answersBeforeStart();
    void executableAnswersWithoutDisplay_data();
    void executableAnswersWithoutDisplay();
};

void CommandLineTest::answersBeforeStart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode"); // -1: the program starts
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString usage = "\nTry 'velmora-kanji --help' for more information.\n";
    QTest::newRow("plain start") << QStringList() << -1 << ""
                                 << "";
    QTest::newRow("Qt options pass") << QStringList {"-platform", "offscreen", "-reverse",
        "--style=Fusion", "-qwindowgeometry", "10x10"}
                                     << -1 << ""
                                     << "";
    QTest::newRow("--version") << QStringList {"--version"} << 0
                               << "velmora-kanji " VELMORA_VERSION "\n"
                               << "";
    QTest::newRow("-v after a Qt option")
        << QStringList {"-platform", "xcb", "-v"} << 0 << "velmora-kanji " VELMORA_VERSION "\n"
        << "";
    QTest::newRow("--help beside a Qt option")
        << QStringList {"--help", "-style", "nonsense"} << 0
        << "Usage: velmora-kanji [options]\nA kanji dictionary"
        << "";
    QTest::newRow("unknown option") << QStringList {"--bogus"} << 2 << ""
                                    << "velmora-kanji: Unknown option 'bogus'." + usage;
    QTest::newRow("unknown option beside --version")
        << QStringList {"--version", "-x"} << 2 << ""
        << "velmora-kanji: Unknown option 'x'." + usage;
    QTest::newRow("Qt option without its value")
        << QStringList {"-platform"} << 2 << ""
        << "velmora-kanji: Missing value after '-platform'." + usage;
    QTest::newRow("a file name") << QStringList {"notes.txt"} << 2 << ""
                                 << "velmora-kanji: Unexpected argument 'notes.txt'." + usage;
}

void CommandLineTest::answersBeforeStart()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    std::vector<std::string> argv {"velmora-kanji"};
    for (const QString &argument : arguments)
        argv.push_back(argument.toStdString());

    const std::optional<app::CommandLineAnswer> answer = app::readCommandLine(argv);
    QCOMPARE(answer.has_value(), exitCode >= 0);
    if (!answer)
        return;
    QCOMPARE(answer->exitCode, exitCode);
    QVERIFY2(QString::fromStdString(answer->out).startsWith(out), answer->out.c_str());
    QCOMPARE(answer->out.empty(), out.isEmpty());
    QCOMPARE(QString::fromStdString(answer->err), err);
}

void CommandLineTest::executableAnswersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("--version") << QStringList {"--version"} << 0
                               << QByteArray("velmora-kanji " VELMORA_VERSION "\n") << QByteArray();
    QTest::newRow("unknown option")
        << QStringList {"--bogus"} << 2 << QByteArray()
        << QByteArray("velmora-kanji: Unknown option 'bogus'.\n"
                      "Try 'velmora-kanji --help' for more information.\n");
}

// With no display reachable, creating QApplication would abort with a platform error; a clean
// answer shows that no window was attempted.
void CommandLineTest::executableAnswersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(VELMORA_EXECUTABLE, arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(program.readAllStandardOutput(), out);
    QCOMPARE(program.readAllStandardError(), err);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"

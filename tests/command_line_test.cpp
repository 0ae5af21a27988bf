// The command line is read before any application object exists: --version and a mistake must
// answer even where no display can be opened, and Qt's own options must pass to QApplication.
// Without a display the program says so in one line.

#include "app/command_line.h"

#include <QProcess>
#include <QTemporaryDir>
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

namespace {

QByteArray noDisplay(const QByteArray &facts)
{
    return "velmora-kanji: cannot open a window, no display server reached (" + facts
        + "); start it in a desktop session, or set DISPLAY or WAYLAND_DISPLAY to a running "
          "display "
          "server\n";
}

} // namespace

void CommandLineTest::executableAnswersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // on top of one without any display
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out"); // the start of stdout
    QTest::addColumn<QByteArray>("err");
    const QByteArray neither = "DISPLAY unset, WAYLAND_DISPLAY unset";
    QTest::newRow("--version") << QStringList {"--version"} << QStringList() << 0
                               << QByteArray("velmora-kanji " VELMORA_VERSION "\n") << QByteArray();
    QTest::newRow("unknown option")
        << QStringList {"--bogus"} << QStringList() << 2 << QByteArray()
        << QByteArray("velmora-kanji: Unknown option 'bogus'.\n"
                      "Try 'velmora-kanji --help' for more information.\n");
    QTest::newRow("neither DISPLAY nor WAYLAND_DISPLAY")
        << QStringList() << QStringList() << 1 << QByteArray() << noDisplay(neither);
    QTest::newRow("WAYLAND_DISPLAY names no socket")
        << QStringList() << QStringList {"WAYLAND_DISPLAY=velmora-no-socket"} << 1 << QByteArray()
        << noDisplay("DISPLAY unset, WAYLAND_DISPLAY=velmora-no-socket");
    QTest::newRow("QT_QPA_PLATFORM=wayland without a compositor")
        << QStringList() << QStringList {"QT_QPA_PLATFORM=wayland"} << 1 << QByteArray()
        << noDisplay(neither + ", QT_QPA_PLATFORM=wayland");
    QTest::newRow("-platform wayland without a compositor") << QStringList {"-platform",
        "wayland"} << QStringList() << 1 << QByteArray() << noDisplay(neither);
    // No X server answers on display 4093 (Xvfb -displayfd and xvfb-run start at 0 and 99).
    QTest::newRow("DISPLAY names a dead server")
        << QStringList() << QStringList {"DISPLAY=:4093"} << 1 << QByteArray()
        << noDisplay("DISPLAY=:4093, WAYLAND_DISPLAY unset");
    QTest::newRow("a platform plugin that is not installed")
        << QStringList() << QStringList {"QT_QPA_PLATFORM=velmora-none"} << 1 << QByteArray()
        << noDisplay(neither
               + ", QT_QPA_PLATFORM=velmora-none; no Qt platform plugin "
                 "\"velmora-none\"");
}

// Creating the application object without a display makes Qt abort (exit status 134): a clean
// answer shows that the program either never tried or caught the failure.
void CommandLineTest::executableAnswersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    // A private, empty runtime directory: no compositor's socket in it, and no complaint from
    // the Wayland library about a missing one.
    const QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    QProcessEnvironment settings = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        settings.remove(name);
    settings.insert("XDG_RUNTIME_DIR", runtime.path());
    for (const QString &setting : environment)
        settings.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    QProcess program;
    program.setProcessEnvironment(settings);
    program.start(VELMORA_EXECUTABLE, arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QByteArray printed = program.readAllStandardOutput();
    QVERIFY2(printed.startsWith(out), printed.constData());
    QCOMPARE(printed.isEmpty(), out.isEmpty());
    QCOMPARE(program.readAllStandardError(), err);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"

// The program as a native Wayland client. Run by weston_session.sh under a headless weston with no
// X11 display and no platform named, so Qt must choose the wayland platform by itself; on X11
// through Xwayland a compositor upscales the window and blurs its text.

#include "program_test_support.h"

#include "app/identity.h"
#include "app/program.h"
#include "ui/qt/application.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

class WaylandTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appIdIsTheDesktopFileName();
    void mapsBothWindowsAndEndsThroughExit();
};

namespace {

// Through the window as the platform plugin delivers a pointer event, not straight to the widget.
void clickOn(QWidget *button)
{
    QWidget *top = button->window();
    QTest::mouseClick(
        top->windowHandle(), Qt::LeftButton, {}, button->mapTo(top, button->rect().center()));
}

} // namespace

// A compositor ties a window to its menu entry by the app id; the program's own executable shows
// what it sends (WAYLAND_DEBUG logs every request to stderr: "object@id" before libwayland 1.23,
// "object#id" from it on).
void WaylandTest::appIdIsTheDesktopFileName()
{
    const QStringList entries
        = QDir(VELMORA_PACKAGING_DIR).entryList({u"*.desktop"_s}, QDir::Files);
    QCOMPARE(entries.size(), 1);
    const QString desktopFileName = entries.front().chopped(int(sizeof(".desktop")) - 1);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"WAYLAND_DEBUG"_s, u"client"_s);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setReadChannel(QProcess::StandardError);
    program.start(VELMORA_EXECUTABLE, QStringList());
    const QRegularExpression request(uR"re(xdg_toplevel[@#]\d+\.set_app_id\("([^"]*)"\))re"_s);
    QString log;
    QRegularExpressionMatch match;
    while (!(match = request.match(log)).hasMatch() && program.waitForReadyRead(30000))
        log += QString::fromUtf8(program.readAllStandardError());
    program.kill();
    program.waitForFinished();
    QVERIFY2(match.hasMatch(), qPrintable(log.right(2000)));
    QCOMPARE(match.captured(1), desktopFileName);
}

void WaylandTest::mapsBothWindowsAndEndsThroughExit()
{
    QCOMPARE(QGuiApplication::platformName(), u"wayland"_s);
    Program program;
    program.start();
    QWidget *form1 = window(u"Form1"_s);
    QVERIFY(QTest::qWaitForWindowExposed(form1));

    clickOn(control(u"Form1"_s, u"Command10"_s)); // Check Expression
    QWidget *form2 = window(u"Form2"_s);
    QVERIFY(form2);
    QVERIFY(QTest::qWaitForWindowExposed(form2));
    QTRY_VERIFY(!form1->isVisible() && !form1->windowHandle()->isExposed());

    clickOn(control(u"Form2"_s, u"Command2"_s)); // Go back to Dictionary
    QVERIFY(QTest::qWaitForWindowExposed(form1));
    QTRY_VERIFY(!form2->isVisible() && !form2->windowHandle()->isExposed());

    QTimer::singleShot(0, qApp, [] { clickOn(control(u"Form1"_s, u"Command1"_s)); }); // Exit
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, qApp, [] { QApplication::exit(2); });
    failsafe.start(30000);
    QCOMPARE(QApplication::exec(), 0);
}

// The program's own application object, so the app id is the one the program sets.
int main(int argc, char **argv)
{
    ui::Application application(argc, argv,
        {.name = app::ExecutableName,
            .version = app::Version,
            .desktopFileName = app::DesktopFileName});
    WaylandTest test;
    const int result = QTest::qExec(&test, argc, argv);
    // Qt 6.4's Wayland display can wait forever at teardown for its event thread, which sits in
    // wl_display_read_events (seen under the sanitizers). The verdict is in: end without it.
    std::fflush(nullptr);
    std::_Exit(result);
}

#include "wayland_test.moc"

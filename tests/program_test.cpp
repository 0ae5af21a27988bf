#include "modal_boxes.h"
#include "program_test_support.h"

#include "app/program.h"
#include "ui/handlers.h"
#include "ui/qt/application.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The two windows as main() wires them.
class ProgramTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::setUpFonts(); }
    void switchingKeepsBothWindows();
    void exitEndsTheProgramWithTheExpressionWindowOpen();
    void boxesInARowOpenOverTheirWindow();
    void aPressBehindAnOpenBoxRunsNothing();
};

void ProgramTest::switchingKeepsBothWindows()
{
    Program program;
    program.start();
    QVERIFY(QTest::qWaitForWindowExposed(window(u"Form1"_s)));
    QVERIFY(!window(u"Form2"_s)); // created on first use only

    control<QLineEdit>(u"Form1"_s, u"Text1"_s)->setText(u"water"_s);
    click(u"Form1"_s, u"Command2"_s);
    click(u"Form1"_s, u"Command10"_s);
    QWidget *form2 = window(u"Form2"_s);
    QVERIFY(form2);
    QVERIFY(QTest::qWaitForWindowExposed(form2));
    QVERIFY(!window(u"Form1"_s)->isVisible());

    control<QLineEdit>(u"Form2"_s, u"Text1"_s)->setText(u"水曜日"_s);
    click(u"Form2"_s, u"Command1"_s);
    QTest::mouseClick(control(u"Form2"_s, u"Label2[0]"_s), Qt::LeftButton);
    QCOMPARE(control<QLabel>(u"Form2"_s, u"Label1"_s)->text(), u"mizu; sui; water"_s);
    // The highlight goes back to the dictionary window's own colour.
    QTest::mouseClick(control(u"Form2"_s, u"Label2[1]"_s), Qt::LeftButton);
    QCOMPARE(control(u"Form2"_s, u"Label2[0]"_s)->palette().color(QPalette::Window),
        window(u"Form1"_s)->palette().color(QPalette::Window));

    click(u"Form2"_s, u"Command2"_s);
    QVERIFY(window(u"Form1"_s)->isVisible());
    QVERIFY(!form2->isVisible());
    QCOMPARE(control<QLabel>(u"Form1"_s, u"Label1"_s)->text(), u"水"_s);
    QCOMPARE(control<QLineEdit>(u"Form1"_s, u"Text1"_s)->text(), u"water"_s);

    click(u"Form1"_s, u"Command10"_s);
    QCOMPARE(window(u"Form2"_s), form2); // the same window, not a new one
    QCOMPARE(control<QLineEdit>(u"Form2"_s, u"Text1"_s)->text(), u"水曜日"_s);
    QCOMPARE(control<QLabel>(u"Form2"_s, u"Label2[2]"_s)->text(), u"日"_s);

    form2->close(); // the close box goes back to the dictionary
    QVERIFY(window(u"Form1"_s)->isVisible());
    QVERIFY(!form2->isVisible());
}

void ProgramTest::exitEndsTheProgramWithTheExpressionWindowOpen()
{
    Program program;
    program.start();
    QVERIFY(QTest::qWaitForWindowExposed(window(u"Form1"_s)));
    click(u"Form1"_s, u"Command10"_s);
    click(u"Form2"_s, u"Command2"_s);
    bool handlerRanAfterExit = false;
    // The timers die with the test: the one posted after Exit never fires in this loop, and
    // must not fire in a later test's loop either.
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        click(u"Form1"_s, u"Command1"_s);
        QTimer::singleShot(0, &context, [&] { handlerRanAfterExit = true; });
    });
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, qApp, [] { QApplication::exit(1); });
    failsafe.start(10'000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!handlerRanAfterExit);
    ui::handlers() = ui::Handlers(); // the next test's program starts anew
}

// Right after a box closes no window is active; each box must still find its own window.
void ProgramTest::boxesInARowOpenOverTheirWindow()
{
    Program program;
    program.start();
    QWidget *form1 = window(u"Form1"_s);
    QVERIFY(QTest::qWaitForWindowExposed(form1));
    QList<BoxPlace> places;
    auto cancelNextBox = [&places] {
        whenModalOpens([&places](QWidget *box) {
            places << BoxPlace::of(box);
            static_cast<QDialog *>(box)->reject();
        });
    };
    for (int i = 0; i < 3; ++i) {
        cancelNextBox();
        click(u"Form1"_s, u"Command8"_s);
    }
    QCOMPARE(places.size(), 3);
    for (const BoxPlace &place : places) {
        verifyBelongsTo(place, form1);
        if (QTest::currentTestFailed())
            return;
    }

    click(u"Form1"_s, u"Command10"_s);
    QWidget *form2 = window(u"Form2"_s);
    QVERIFY(QTest::qWaitForWindowExposed(form2));
    control<QLineEdit>(u"Form2"_s, u"Text1"_s)->setText(QString(63, u'水'));
    cancelNextBox();
    click(u"Form2"_s, u"Command1"_s);
    QCOMPARE(places.size(), 4);
    verifyBelongsTo(places.back(), form2);
}

// As a screen reader presses a button: through its accessibility interface, which a modal box
// does not block.
void ProgramTest::aPressBehindAnOpenBoxRunsNothing()
{
    Program program;
    program.start();
    QWidget *form1 = window(u"Form1"_s);
    QVERIFY(QTest::qWaitForWindowExposed(form1));
    control<QLineEdit>(u"Form1"_s, u"Text1"_s)->setText(u"no such word"_s);
    bool answered = false;
    whenModalOpens([&answered](QWidget *box) {
        QAccessibleActionInterface *press
            = QAccessible::queryAccessibleInterface(control(u"Form1"_s, u"Command10"_s))
                  ->actionInterface();
        press->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(300); // the press clicks after an animation of 100 ms
        answered = true;
        static_cast<QDialog *>(box)->accept();
    });
    click(u"Form1"_s, u"Command2"_s);
    QVERIFY(answered);
    QVERIFY(form1->isVisible());
    QVERIFY(!window(u"Form2"_s));
}

QTEST_MAIN(ProgramTest)
#include "program_test.moc"

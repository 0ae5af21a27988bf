#include "form1_test_support.h"

#include "caption_fit.h"
#include "ui/platform.h"
#include "ui/qt/application.h"
#include "ui/qt/widgets.h"
#include "ui/window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QMenuBar>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The window as it must look after start-up, in twips.
struct Expected
{
    const char *name;
    const char16_t *caption;
    int left, top, width, height;
    const char16_t *family; // nullptr: the default UI font
    double points;
    bool bold;
    bool visible;
};

constexpr const char16_t *Gothic = ui::JapaneseGothic.data();

// clang-format off
constexpr Expected Controls[] = {
    {"Label6",    u"English-Japanese Kanji Dictionary",          0,  240, 7095,  975, u"Tahoma", 20.25, true,  true},
    {"Label9",    u"Version 1.01 (245 kanji of level 3 and 4)", 1320, 840, 3375,  255, nullptr,   0,    false, true},
    {"Label4",    u"漢字辞書",                                4920,  840,  735,  255, nullptr,   0,    false, true},
    {"Command5",  u"English to Japanese",                      240, 1440,  975,  615, nullptr,   0,    false, true},
    {"Command6",  u"Japanese to English",                     1320, 1440,  855,  615, nullptr,   0,    false, true},
    {"Command7",  u"Browse Up",                               2400, 1440, 1215,  255, nullptr,   0,    false, true},
    {"Command10", u"Check Expression",                        4800, 1440, 1935,  495, nullptr,   0,    false, true},
    {"Command8",  u"Browse Down",                             2400, 1800, 1215,  255, nullptr,   0,    false, true},
    {"Command9",  u"Show/hide the word in Indonesian",        4800, 2040, 1935,  495, nullptr,   0,    false, false},
    {"Label8",    u"Enter the English word:",                  240, 2640, 1815,  255, nullptr,   0,    false, true},
    {"Text1",     u"",                                        2280, 2640, 2415,  375, Gothic,   12,    false, true},
    {"Command2",  u"Search for the word",                     4800, 2640, 1935,  375, nullptr,   0,    false, true},
    {"Label14",   u"Record number:",                           240, 3000, 1215,  255, nullptr,   0,    false, true},
    {"Label15",   u"",                                        1560, 3000,  615,  255, nullptr,   0,    false, true},
    {"Label1",    u"",                                        2520, 3240, 1215,  855, Gothic,   24,    false, true},
    {"Command3",  u"Hear the kunyomi sound",                  5400, 3240, 1335,  735, nullptr,   0,    false, false},
    {"Label5",    u"The Kanji and its onyomi:",                240, 3360, 1935,  375, nullptr,   0,    false, true},
    {"Label3",    u"",                                        3840, 3360, 1455,  375, Gothic,   12,    false, false},
    {"Label17",   u"Kanji level:",                             240, 3840,  975,  255, nullptr,   0,    false, true},
    {"Label18",   u"",                                        1200, 3840,  495,  255, nullptr,   0,    false, true},
    {"Command4",  u"Show/hide Onyomi, Kunyomi, Example",      5400, 4080, 1335,  855, nullptr,   0,    false, true},
    {"Label7",    u"The Kunyomi:",                             240, 4200, 1815,  255, nullptr,   0,    false, true},
    {"Label2",    u"",                                        2280, 4200, 3015,  375, Gothic,   12,    false, false},
    {"Label10",   u"Example(s) on Onyomi:",                    240, 4800, 1935,  375, nullptr,   0,    false, true},
    {"Label11",   u"",                                        2280, 4800, 2895,  735, Gothic,   12,    false, false},
    {"Label12",   u"The word in Indonesian:",                  240, 5640, 1815,  375, nullptr,   0,    false, false},
    {"Label13",   u"",                                        2280, 5640, 2655,  375, Gothic,   12,    false, false},
    {"Command1",  u"Exit",                                    5400, 5640, 1335,  615, nullptr,   0,    false, true},
    {"Label16",   u"NOTE: ( ) on kunyomi indicates intransitif verb/jidoushi", 240, 6240, 4695, 255, nullptr, 0, false, true},
};
// clang-format on

} // namespace

class Form1LayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::setUpFonts(); }
    void controlsStandAsLaidOut_data();
    void controlsStandAsLaidOut();
    void everyCaptionFitsItsControl_data();
    void everyCaptionFitsItsControl();
    void windowHasItsCaptionSizeAndMenu();
    void tabOrderRunsThroughTheButtonsAndTheTextBox();
    void focusStartsOnExit();
    void resizingMovesNothing();
    void valueFieldsAreDescribedByTheirPrompts();
};

void Form1LayoutTest::controlsStandAsLaidOut_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(Controls)); ++i)
        QTest::newRow(Controls[i].name) << i;
}

void Form1LayoutTest::controlsStandAsLaidOut()
{
    QFETCH(int, row);
    const Expected &e = Controls[row];
    DictionaryWindow w;
    QWidget *widget = w.widget(e.name);
    QVERIFY(widget);
    QCOMPARE(captionOf(widget), QString::fromUtf16(e.caption));
    QCOMPARE(widget->geometry(),
        QRect(e.left / 15, e.top / 15, ui::twipsToPixels(e.width), ui::twipsToPixels(e.height)));
    QCOMPARE(widget->parentWidget()->objectName(), u"client"_s);
    QCOMPARE(!widget->isHidden(), e.visible);
    const QFont font = widget->font();
    if (e.family) {
        QCOMPARE(font.family(), QString::fromUtf16(e.family));
        QCOMPARE(font.pointSizeF(), e.points);
    } else {
        QCOMPARE(font.family(), QApplication::font().family());
        QCOMPARE(font.pointSizeF(), QApplication::font().pointSizeF());
    }
    QCOMPARE(font.bold(), e.bold);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    QVERIFY(e.left + e.width <= 7200 && e.top + e.height <= 6825);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        const bool centred = e.name == "Label6"_L1 || e.name == "Label9"_L1;
        QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), centred);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(label->wordWrap());
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window),
            QColor(ui::desktopColor().red, ui::desktopColor().green, ui::desktopColor().blue));
    }
}

void Form1LayoutTest::everyCaptionFitsItsControl_data()
{
    controlsStandAsLaidOut_data();
}

void Form1LayoutTest::everyCaptionFitsItsControl()
{
    QFETCH(int, row);
    DictionaryWindow w;
    QWidget *widget = w.widget(Controls[row].name);
    const QString problem = captionFitProblem(widget);
    QVERIFY2(problem.isEmpty(), qPrintable(captionOf(widget) + u": "_s + problem));
}

void Form1LayoutTest::windowHasItsCaptionSizeAndMenu()
{
    DictionaryWindow w;
    QWidget *top = ui::widgetOf(w.form->window());
    QCOMPARE(top->objectName(), u"Form1"_s);
    QCOMPARE(top->windowTitle(), u"Velmora University: Online Kanji Learning Program"_s);
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    QCOMPARE(top->findChild<QWidget *>(u"client"_s)->size(), QSize(480, 455));
    auto *bar = top->findChild<QMenuBar *>();
    QVERIFY(bar);
    QCOMPARE(bar->actions().size(), 1);
    QCOMPARE(bar->actions().front()->text(), u"Help"_s);
    QVERIFY(!bar->actions().front()->menu());
    QCOMPARE(bar->actions().front()->shortcut(), QKeySequence(Qt::Key_F1));
}

void Form1LayoutTest::tabOrderRunsThroughTheButtonsAndTheTextBox()
{
    DictionaryWindow w;
    const QStringList expected {u"Command1"_s, u"Command2"_s, u"Text1"_s, u"Command3"_s,
        u"Command4"_s, u"Command5"_s, u"Command6"_s, u"Command7"_s, u"Command8"_s, u"Command9"_s,
        u"Command10"_s};
    QWidget *widget = w.widget("Command1");
    QStringList order;
    do {
        order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != w.widget("Command1") && order.size() < 100);
    order.removeIf([&](const QString &name) { return !expected.contains(name); });
    QCOMPARE(order, expected);
}

void Form1LayoutTest::focusStartsOnExit()
{
    DictionaryWindow w;
    w.form->window().show();
    QVERIFY(QTest::qWaitForWindowActive(ui::widgetOf(w.form->window())));
    QCOMPARE(QApplication::focusWidget(), w.widget("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.widget("Command2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.widget("Text1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // Command3 is hidden
    QCOMPARE(QApplication::focusWidget(), w.widget("Command4"));
}

void Form1LayoutTest::resizingMovesNothing()
{
    DictionaryWindow w;
    QWidget *top = ui::widgetOf(w.form->window());
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    const QRect before = w.widget("Label16")->geometry();
    // Larger, and smaller than the layout: the window clips, nothing moves.
    for (const QSize size : {QSize(1000, 900), QSize(200, 120)}) {
        top->resize(size);
        QTRY_COMPARE(top->size(), size);
        QCOMPARE(w.widget("Label16")->geometry(), before);
        QCOMPARE(w.widget("Command10")->geometry(), QRect(320, 96, 129, 33));
    }
}

void Form1LayoutTest::valueFieldsAreDescribedByTheirPrompts()
{
    DictionaryWindow w;
    auto description = [&](const char *name) {
        return QAccessible::queryAccessibleInterface(w.widget(name))
            ->text(QAccessible::Description);
    };
    QCOMPARE(description("Label15"), u"Record number:"_s);
    QCOMPARE(description("Label2"), u"The Kunyomi:"_s);
    QCOMPARE(description("Label18"), u"Kanji level:"_s);
    QCOMPARE(QAccessible::queryAccessibleInterface(w.widget("Text1"))->text(QAccessible::Name),
        u"Enter the English word:"_s);
    w.click("Command6");
    QCOMPARE(description("Label2"), u"The English word:"_s);
    QCOMPARE(QAccessible::queryAccessibleInterface(w.widget("Text1"))->text(QAccessible::Name),
        u"Enter the Kunyomi:"_s);
}

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"

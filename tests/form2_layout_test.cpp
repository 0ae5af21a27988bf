#include "form2_test_support.h"

#include "caption_fit.h"
#include "conjugation/conjugation.h"
#include "ui/platform.h"
#include "ui/qt/application.h"
#include "ui/qt/widgets.h"
#include "ui/window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QMenuBar>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

struct Expected
{
    const char *name;
    const char16_t *caption;
    int left, top, width, height; // twips; children of Frame1 from the frame's corner
    const char16_t *family; // nullptr: the default UI font
    double points;
    bool inFrame;
};

constexpr const char16_t *Gothic = ui::JapaneseGothic.data();
constexpr const char16_t *Lucida = u"Lucida Sans Unicode";

// clang-format off
constexpr Expected Controls[] = {
    {"Command3", u"or Paste from other source",         2880,    0, 3135,  375, Gothic, 12,    false},
    {"Label3",   u"Enter any expression:",               240,  120, 2655,  375, Lucida, 12,    false},
    {"Label4",   u"On, kun, meaning:",                  6240,  120, 1815,  255, Lucida, 9.75,  false},
    {"Text1",    u"",                                    240,  480, 5775,  855, Gothic, 12,    false},
    {"Label1",   u"",                                   6360,  600, 1215,  855, Gothic, 12,    false},
    {"Command1", u"RUN and click on any kanji below:",   240, 1560, 3615,  375, Gothic, 12,    false},
    {"Label15",  u"Enter the verb in romaji:",           120, 4080, 1215,  375, nullptr, 0,    false},
    {"Text2",    u"",                                   1440, 4080, 1215,  375, nullptr, 0,    false},
    {"Frame1",   u"Select one or more:",                2880, 4080, 3615, 3495, nullptr, 0,    false},
    {"Command4", u"RUN",                                1440, 4680, 1215,  375, nullptr, 0,    false},
    {"Command2", u"Go back to Dictionary",               120, 7200, 2655,  375, Gothic, 12,    false},
    {"Check1",   u"dictionary-form:",  120,  360, 1575, 255, nullptr, 0, true},
    {"Check2",   u"masu-form:",        120,  720, 1335, 255, nullptr, 0, true},
    {"Check3",   u"ta-form:",          120, 1080, 1095, 255, nullptr, 0, true},
    {"Check4",   u"te-form:",          120, 1320, 1215, 255, nullptr, 0, true},
    {"Check5",   u"Imperative form:",  120, 1560, 1815, 255, nullptr, 0, true},
    {"Check6",   u"Conditional-form:", 120, 1800, 1815, 255, nullptr, 0, true},
    {"Check7",   u"Volitional form:",  120, 2160, 1455, 255, nullptr, 0, true},
    {"Check8",   u"nai-form:",         120, 2400, 1335, 255, nullptr, 0, true},
    {"Check9",   u"Passive-form:",     120, 2760, 1695, 255, nullptr, 0, true},
    {"Check10",  u"Causative-form:",   120, 3120, 1695, 255, nullptr, 0, true},
    {"Label5",   u"Label5",  2040,  360, 1215, 255, nullptr, 0, true},
    {"Label6",   u"Label6",  2040,  720, 1215, 255, nullptr, 0, true},
    {"Label7",   u"Label7",  2040, 1080, 1215, 255, nullptr, 0, true},
    {"Label8",   u"Label8",  2040, 1320, 1215, 255, nullptr, 0, true},
    {"Label9",   u"Label9",  2040, 1560, 1215, 255, nullptr, 0, true},
    {"Label10",  u"Label10", 2040, 1800, 1215, 255, nullptr, 0, true},
    {"Label11",  u"Label11", 2040, 2160, 1215, 255, nullptr, 0, true},
    {"Label12",  u"Label12", 2040, 2400, 1215, 255, nullptr, 0, true},
    {"Label13",  u"Label13", 2040, 2760, 1215, 255, nullptr, 0, true},
    {"Label14",  u"Label14", 2040, 3120, 1215, 255, nullptr, 0, true},
};

// Top and left edges of the 62 kanji cells, row by row.
constexpr int CellTops[] = {2160, 2640, 3240, 3720};
constexpr int CellLefts[4][16] = {
    {240, 720, 1200, 1680, 2160, 2520, 3000, 3480, 3960, 4440, 4920, 5400, 5880, 6360, 6720},
    {240, 720, 1200, 1680, 2160, 2520, 3000, 3480, 3960, 4440, 4920, 5280, 5760, 6240, 6720},
    {240, 720, 1080, 1560, 2040, 2400, 2880, 3360, 3720, 4200, 4680, 5040, 5520, 6000, 6360, 6840},
    {120, 600, 960, 1440, 1920, 2280, 2760, 3240, 3600, 4080, 4560, 4920, 5400, 5880, 6240, 6720},
};
constexpr int CellsPerRow[] = {15, 15, 16, 16};
// clang-format on

QRect pixels(int left, int top, int width, int height)
{
    return QRect(ui::twipsToPixels(left), ui::twipsToPixels(top), ui::twipsToPixels(width),
        ui::twipsToPixels(height));
}

} // namespace

class Form2LayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::setUpFonts(); }
    void controlsStandAsLaidOut_data();
    void controlsStandAsLaidOut();
    void everyCaptionFitsItsControl_data();
    void everyCaptionFitsItsControl();
    void cellsFollowTheGrid();
    void windowHasItsCaptionAndSize();
    void tabOrderRunsAsLaidOut();
    void focusStartsOnPaste();
    void pasteButtonIsDrawnOverItsPrompt();
    void eachFormHasTheBoxCaptionedForIt_data();
    void eachFormHasTheBoxCaptionedForIt();
};

void Form2LayoutTest::controlsStandAsLaidOut_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(Controls)); ++i)
        QTest::newRow(Controls[i].name) << i;
}

void Form2LayoutTest::controlsStandAsLaidOut()
{
    QFETCH(int, row);
    const Expected &e = Controls[row];
    ExpressionWindow w;
    QWidget *widget = w.widget(QString::fromLatin1(e.name));
    QVERIFY(widget);
    QCOMPARE(captionOf(widget), QString::fromUtf16(e.caption));
    QCOMPARE(widget->geometry(), pixels(e.left, e.top, e.width, e.height));
    QCOMPARE(widget->parentWidget()->objectName(), e.inFrame ? u"Frame1"_s : u"client"_s);
    QVERIFY(!widget->isHidden());
    if (e.inFrame)
        QVERIFY(e.left + e.width <= 3615 && e.top + e.height <= 3495);
    else
        QVERIFY(e.left + e.width <= 8115 && e.top + e.height <= 7710);
    const QFont font = widget->font();
    if (e.family) {
        QCOMPARE(font.family(), QString::fromUtf16(e.family));
        QCOMPARE(font.pointSizeF(), e.points);
    } else {
        QCOMPARE(font.family(), QApplication::font().family());
        QCOMPARE(font.pointSizeF(), QApplication::font().pointSizeF());
    }
    QVERIFY(!font.bold() && !font.italic() && !font.underline());
    if (auto *check = qobject_cast<QCheckBox *>(widget))
        QVERIFY(check->isChecked());
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

void Form2LayoutTest::everyCaptionFitsItsControl_data()
{
    controlsStandAsLaidOut_data();
}

void Form2LayoutTest::everyCaptionFitsItsControl()
{
    QFETCH(int, row);
    ExpressionWindow w;
    QWidget *widget = w.widget(QString::fromLatin1(Controls[row].name));
    const QString problem = captionFitProblem(widget, 0.9);
    QVERIFY2(problem.isEmpty(), qPrintable(captionOf(widget) + u": "_s + problem));
}

void Form2LayoutTest::cellsFollowTheGrid()
{
    ExpressionWindow w;
    int index = 0;
    for (int row = 0; row < 4; ++row) {
        for (int i = 0; i < CellsPerRow[row]; ++i, ++index) {
            QWidget *cell = w.cell(index);
            QVERIFY(cell);
            QCOMPARE(cell->geometry(),
                pixels(CellLefts[row][i], CellTops[row], index == 13 ? 255 : 375, 255));
            QCOMPARE(cell->font().family(), QString::fromUtf16(Gothic));
            QCOMPARE(cell->palette().color(QPalette::Window),
                QColor(ui::desktopColor().red, ui::desktopColor().green, ui::desktopColor().blue));
            QCOMPARE(cell->focusPolicy(), Qt::NoFocus);
        }
    }
    QCOMPARE(index, 62);
    QVERIFY(!w.cell(62));
    // The narrow cell still shows a whole kanji.
    QVERIFY(QFontMetrics(w.cell(13)->font()).horizontalAdvance(u"曰"_s) <= w.cell(13)->width());
}

void Form2LayoutTest::windowHasItsCaptionAndSize()
{
    ExpressionWindow w;
    QWidget *top = ui::widgetOf(w.form->window());
    QCOMPARE(top->objectName(), u"Form2"_s);
    QCOMPARE(top->windowTitle(), u"Velmora University, Japan"_s);
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    QCOMPARE(top->findChild<QWidget *>(u"client"_s)->size(), QSize(541, 514));
    top->resize(150, 100); // smaller than its layout: clipped, not squeezed
    QTRY_COMPARE(top->size(), QSize(150, 100));
    QCOMPARE(w.widget(u"Command4"_s)->geometry(), QRect(96, 312, 81, 25));
    QVERIFY(!top->findChild<QMenuBar *>() || top->findChild<QMenuBar *>()->actions().isEmpty());
}

void Form2LayoutTest::tabOrderRunsAsLaidOut()
{
    ExpressionWindow w;
    const QStringList expected {u"Command3"_s, u"Command2"_s, u"Command1"_s, u"Text1"_s,
        u"Check10"_s, u"Check9"_s, u"Check6"_s, u"Check1"_s, u"Check2"_s, u"Check3"_s, u"Check4"_s,
        u"Check5"_s, u"Check7"_s, u"Check8"_s, u"Command4"_s, u"Text2"_s};
    QWidget *widget = w.widget(u"Command3"_s);
    QStringList order;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != w.widget(u"Command3"_s) && order.size() < 200);
    QCOMPARE(order, expected);
}

void Form2LayoutTest::focusStartsOnPaste()
{
    ExpressionWindow w;
    w.form->window().show();
    QVERIFY(QTest::qWaitForWindowActive(ui::widgetOf(w.form->window())));
    QCOMPARE(QApplication::focusWidget(), w.widget(u"Command3"_s));
}

void Form2LayoutTest::pasteButtonIsDrawnOverItsPrompt()
{
    ExpressionWindow w;
    QWidget *client = w.widget(u"client"_s);
    const QRect overlap = w.widget(u"Label3"_s)->geometry() & w.widget(u"Command3"_s)->geometry();
    QVERIFY(!overlap.isEmpty());
    QCOMPARE(client->childAt(overlap.center()), w.widget(u"Command3"_s));
}

void Form2LayoutTest::eachFormHasTheBoxCaptionedForIt_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("caption");
    QTest::newRow("dictionary") << int(VerbForm::Dictionary) << u"dictionary-form:"_s;
    QTest::newRow("masu") << int(VerbForm::Masu) << u"masu-form:"_s;
    QTest::newRow("ta") << int(VerbForm::Ta) << u"ta-form:"_s;
    QTest::newRow("te") << int(VerbForm::Te) << u"te-form:"_s;
    QTest::newRow("imperative") << int(VerbForm::Imperative) << u"Imperative form:"_s;
    QTest::newRow("conditional") << int(VerbForm::Conditional) << u"Conditional-form:"_s;
    QTest::newRow("volitional") << int(VerbForm::Volitional) << u"Volitional form:"_s;
    QTest::newRow("nai") << int(VerbForm::Nai) << u"nai-form:"_s;
    QTest::newRow("passive") << int(VerbForm::Passive) << u"Passive-form:"_s;
    QTest::newRow("causative") << int(VerbForm::Causative) << u"Causative-form:"_s;
    static_assert(VerbFormCount == 10, "one row per form");
}

// Command4_Click writes the result at index i beside Check(i + 1), so reordering either the
// forms or the boxes would put every result beside the wrong caption.
void Form2LayoutTest::eachFormHasTheBoxCaptionedForIt()
{
    QFETCH(int, form);
    QFETCH(QString, caption);
    ExpressionWindow w;
    const std::size_t box = FormIndex(static_cast<VerbForm>(form)) + 1;
    QCOMPARE(captionOf(w.widget(u"Check%1"_s.arg(box))), caption);
}

QTEST_MAIN(Form2LayoutTest)
#include "form2_layout_test.moc"

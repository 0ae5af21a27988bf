#include "form2_test_support.h"

#include "conjugation/conjugation.h"
#include "ui/qt/application.h"

#include <QApplication>
#include <QClipboard>

using namespace Qt::StringLiterals;

namespace {

const QString TooLong = u"We will take the first 62 letters only!"_s;
const QColor White(255, 255, 255);

QString cells(const ExpressionWindow &w)
{
    QString all;
    for (int i = 0; i < Form2::CellCount; ++i)
        all += w.caption(u"Label2[%1]"_s.arg(i));
    return all;
}

int highlighted(const ExpressionWindow &w)
{
    int found = -1;
    for (int i = 0; i < Form2::CellCount; ++i) {
        if (w.cellColour(i) == White) {
            if (found >= 0)
                return -2; // more than one
            found = i;
        }
    }
    return found;
}

QString verbForms(const ExpressionWindow &w)
{
    QStringList forms;
    for (int label = 5; label <= 14; ++label)
        forms << w.caption(u"Label%1"_s.arg(label));
    return forms.join(u' ');
}

} // namespace

class Form2Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void startsEmptyWithAllFormsTicked();
    void runSpreadsTheText_data();
    void runSpreadsTheText();
    void secondRunClearsTheCellsAfterIt();
    void clickShowsTheFirstRecordOfTheKanji_data();
    void clickShowsTheFirstRecordOfTheKanji();
    void highlightMovesAndStays();
    void runKeepsTheHighlightAndTheReading();
    void pasteTakesTheClipboardText();
    void conjugatesTheTickedForms_data();
    void conjugatesTheTickedForms();
    void untickedLabelsKeepTheirCaption();
    void goingBackKeepsEverything();
};

void Form2Test::initTestCase()
{
    ui::setUpFonts();
}

void Form2Test::startsEmptyWithAllFormsTicked()
{
    ExpressionWindow w;
    QCOMPARE(w.form->cellLimit(), 62);
    QCOMPARE(w.form->lastCell(), 0);
    QCOMPARE(cells(w), QString());
    QCOMPARE(w.caption(u"Label1"_s), QString());
    QCOMPARE(highlighted(w), -1);
    for (int i = 1; i <= 10; ++i) {
        QVERIFY(static_cast<QCheckBox *>(w.widget(u"Check%1"_s.arg(i)))->isChecked());
        QCOMPARE(w.caption(u"Label%1"_s.arg(i + 4)), u"Label%1"_s.arg(i + 4));
    }
    for (int slot = 0; slot <= 100; ++slot)
        QVERIFY(w.form->cellChar(slot).empty());
}

void Form2Test::runSpreadsTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expectedCells");
    QTest::addColumn<bool>("warned");

    const QString sixtyTwo = QString(60, u'明') + u"ab"_s;
    QStringList full;
    for (QChar c : sixtyTwo)
        full << QString(c);
    QTest::newRow("62 characters fill every cell") << sixtyTwo << full << false;
    QTest::newRow("63 characters: the first 62") << sixtyTwo + u"X"_s << full << true;
    QTest::newRow("surrogate pair is one cell")
        << u"𠮟る"_s << QStringList {u"𠮟"_s, u"る"_s} << false;
    const QStringList pairs(62, u"𠮟"_s);
    QTest::newRow("63 pairs: the first 62")
        << QString(pairs.join(QString()) + u"𠮟"_s) << pairs << true;
}

void Form2Test::runSpreadsTheText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expectedCells);
    QFETCH(bool, warned);
    ExpressionWindow w;
    w.run(text);
    QCOMPARE(w.dialogs.messages, warned ? QStringList {TooLong} : QStringList());
    QCOMPARE(w.dialogs.owners, QList<const ui::Window *>(warned ? 1 : 0, &w.form->window()));
    for (int i = 0; i < Form2::CellCount; ++i) {
        const QString expected = i < expectedCells.size() ? expectedCells[i] : QString();
        QCOMPARE(w.caption(u"Label2[%1]"_s.arg(i)), expected);
        QCOMPARE(QString::fromStdU16String(w.form->cellChar(i + 1)), expected);
    }
    QCOMPARE(w.text(u"Text1"_s), text);
}

void Form2Test::secondRunClearsTheCellsAfterIt()
{
    ExpressionWindow w;
    w.run(u"日本語を話す"_s);
    w.run(u"日"_s);
    QCOMPARE(cells(w), u"日"_s);
    w.clickCell(2); // held 語 before
    QCOMPARE(w.caption(u"Label1"_s), QString());
    QCOMPARE(highlighted(w), -1);
}

void Form2Test::clickShowsTheFirstRecordOfTheKanji_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("reading");
    QTest::newRow("悪: record 1, not 3") << u"悪"_s << u"warui; aku; bad"_s;
    QTest::newRow("意: stars shown as stored") << u"意"_s << u"*; i; mind; meaning"_s;
    QTest::newRow("kanji not in the table") << u"猫"_s << QString();
    QTest::newRow("surrogate pair not in the table") << u"𠮟"_s << QString();
}

void Form2Test::clickShowsTheFirstRecordOfTheKanji()
{
    QFETCH(QString, character);
    QFETCH(QString, reading);
    ExpressionWindow w;
    w.run(u"安"_s + character);
    w.clickCell(0); // 安 highlighted first
    QCOMPARE(highlighted(w), 0);
    w.clickCell(1);
    QCOMPARE(w.caption(u"Label1"_s), reading);
    QCOMPARE(highlighted(w), reading.isEmpty() ? -1 : 1);
    QCOMPARE(w.form->lastCell(), 1);
    // The previous highlight goes back to the dictionary window's colour.
    QCOMPARE(w.cellColour(0), QColor(0x12, 0x34, 0x56));
}

void Form2Test::highlightMovesAndStays()
{
    ExpressionWindow w;
    w.run(u"悪い明日"_s);
    w.clickCell(2);
    QCOMPARE(highlighted(w), 2);
    w.clickCell(2); // clicking it again keeps it highlighted
    QCOMPARE(highlighted(w), 2);
    QCOMPARE(w.caption(u"Label1"_s), u"akarui; mei/myou; bright"_s);
    w.clickCell(0);
    QCOMPARE(highlighted(w), 0);
    w.clickCell(1); // kana: nothing highlighted, reading emptied
    QCOMPARE(highlighted(w), -1);
    QCOMPARE(w.caption(u"Label1"_s), QString());
    w.clickCell(61); // an empty cell
    QCOMPARE(highlighted(w), -1);
    QCOMPARE(w.form->lastCell(), 61);
}

void Form2Test::runKeepsTheHighlightAndTheReading()
{
    ExpressionWindow w;
    w.run(u"悪"_s);
    w.clickCell(0);
    w.run(u"かな"_s);
    QCOMPARE(highlighted(w), 0);
    QCOMPARE(w.caption(u"Label2[0]"_s), u"か"_s);
    QCOMPARE(w.caption(u"Label1"_s), u"warui; aku; bad"_s);
}

void Form2Test::pasteTakesTheClipboardText()
{
    ExpressionWindow w;
    w.setText(u"Text1"_s, u"old"_s);
    QApplication::clipboard()->setText(u"明日は雨"_s);
    w.click(u"Command3"_s);
    QCOMPARE(w.text(u"Text1"_s), u"明日は雨"_s);
    QCOMPARE(cells(w), QString()); // the user presses RUN next
    QApplication::clipboard()->clear();
    w.click(u"Command3"_s);
    QCOMPARE(w.text(u"Text1"_s), QString());
}

void Form2Test::conjugatesTheTickedForms_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<int>("onlyTicked"); // 0: all ticked
    QTest::addColumn<QString>("expected");

    QTest::newRow("taberu, all forms")
        << u"taberu"_s << 0
        << u"taberu tabemasu tabeta tabete tabero tabereba tabeyou tabenai taberareru tabesaseru"_s;
    QTest::newRow("kuru: masu only") << u"kuru"_s << 2
                                     << u"Label5 kimasu Label7 Label8 Label9 Label10 Label11 "
                                        "Label12 Label13 Label14"_s;
    QTest::newRow("kau: passive only") << u"kau"_s << 9
                                       << u"Label5 Label6 Label7 Label8 Label9 Label10 Label11 "
                                          "Label12 kawareru Label14"_s;
    QTest::newRow("matsu: ta only") << u"matsu"_s << 3
                                    << u"Label5 Label6 matta Label8 Label9 Label10 Label11 "
                                       "Label12 Label13 Label14"_s;
    QTest::newRow("nothing ticked changes nothing")
        << u"kaku"_s << -1
        << u"Label5 Label6 Label7 Label8 Label9 Label10 Label11 Label12 Label13 Label14"_s;
}

void Form2Test::conjugatesTheTickedForms()
{
    QFETCH(QString, verb);
    QFETCH(int, onlyTicked);
    QFETCH(QString, expected);
    ExpressionWindow w;
    if (onlyTicked != 0) {
        for (int box = 1; box <= 10; ++box)
            w.tick(box, box == onlyTicked);
    }
    w.setText(u"Text2"_s, verb);
    w.click(u"Command4"_s);
    QCOMPARE(verbForms(w), expected);
    QCOMPARE(w.text(u"Text2"_s), verb);
}

void Form2Test::untickedLabelsKeepTheirCaption()
{
    ExpressionWindow w;
    w.setText(u"Text2"_s, u"taberu"_s);
    w.click(u"Command4"_s);
    w.tick(2, false);
    w.setText(u"Text2"_s, u"kaku"_s);
    w.click(u"Command4"_s);
    QCOMPARE(
        verbForms(w), u"kaku tabemasu kaita kaite kake kakeba kakou kakanai kakareru kakaseru"_s);
}

void Form2Test::goingBackKeepsEverything()
{
    ExpressionWindow w;
    w.form->window().show();
    QVERIFY(QTest::qWaitForWindowExposed(ui::widgetOf(w.form->window())));
    w.run(u"悪い"_s);
    w.clickCell(0);
    w.tick(4, false);
    w.setText(u"Text2"_s, u"kau"_s);
    w.click(u"Command4"_s);
    w.click(u"Command2"_s);
    QCOMPARE(w.dictionaryShown, 1);
    QVERIFY(!w.form->window().isVisible());
    w.form->window().show();
    QCOMPARE(w.text(u"Text1"_s), u"悪い"_s);
    QCOMPARE(cells(w), u"悪い"_s);
    QCOMPARE(highlighted(w), 0);
    QCOMPARE(w.caption(u"Label1"_s), u"warui; aku; bad"_s);
    QVERIFY(!static_cast<QCheckBox *>(w.widget(u"Check4"_s))->isChecked());
    QCOMPARE(w.caption(u"Label6"_s), u"kaimasu"_s);
    // The close box goes back to the dictionary too.
    ui::widgetOf(w.form->window())->close();
    QCOMPARE(w.dictionaryShown, 2);
    QVERIFY(!w.form->window().isVisible());
}

QTEST_MAIN(Form2Test)
#include "form2_test.moc"

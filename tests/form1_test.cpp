#include "form1_test_support.h"
#include "loaded_records.h"

#include "ui/qt/application.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const char *const RecordView[]
    = {"Label1", "Label2", "Label3", "Label11", "Label13", "Label15", "Label18"};

QString column(int row, std::size_t col)
{
    return QString::fromStdU16String(std::u16string(loadedRecords().field(row, col)));
}

// The record view and Text1 show row `row` in the English-to-Japanese arrangement.
void verifyShows(const DictionaryWindow &w, int row)
{
    using namespace Module1::Col;
    QCOMPARE(w.caption("Label1"), column(row, Kanji));
    QCOMPARE(w.caption("Label2"), column(row, Kunyomi));
    QCOMPARE(w.caption("Label3"), column(row, Onyomi));
    QCOMPARE(w.text1(), column(row, English));
    QCOMPARE(w.caption("Label11"), column(row, Example));
    QCOMPARE(w.caption("Label13"), column(row, Indonesian));
    QCOMPARE(w.caption("Label15"), column(row, Number));
    QCOMPARE(w.caption("Label18"), column(row, Level));
    QCOMPARE(w.form->currentRecord(), row);
}

bool recordViewIsEmpty(const DictionaryWindow &w)
{
    for (const char *name : RecordView) {
        if (!w.caption(name).isEmpty())
            return false;
    }
    return true;
}

const QString LastPrompt
    = u"Sorry, This is the last record. Enter the record number (1 to 320) !"_s;
const QString FirstPrompt
    = u"Sorry, This is the first record. Enter the record number (1 to 320) !"_s;
const QString NotFound = u"Sorry, the word is not yet in the dictionary!"_s;

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::setUpFonts(); }
    void startsInItsStartState();
    void searchFindsTheFirstMatch_data();
    void searchFindsTheFirstMatch();
    void failedSearchChangesNothingElse();
    void directionButtonsSwitchCaptionsAndClear();
    void browsingStepsThroughTheRecords();
    void longEnglishShowsFromItsStart();
    void browsingAtTheEndsAsksForARecord_data();
    void browsingAtTheEndsAsksForARecord();
    void browsingReturnsTheSearchToEnglish_data();
    void browsingReturnsTheSearchToEnglish();
    void detailsToggleFollowsItsFlag();
    void indonesianToggleShowsBothLabels();
    void soundCheckLooksForTheReadingsFile_data();
    void soundCheckLooksForTheReadingsFile();
    void helpShowsTheNote();
    void exitAndCloseBoxEndTheProgram();
    void checkExpressionHidesTheWindowAndKeepsItsState();
};

void Form1Test::startsInItsStartState()
{
    DictionaryWindow w;
    QCOMPARE(w.recordCount, 320);
    QVERIFY(w.form->englishToJapanese());
    QVERIFY(!w.form->indonesianVisible());
    QCOMPARE(w.form->detailsVisible(), 0);
    QCOMPARE(w.form->currentRecord(), 0);
    for (const char *hidden :
        {"Command3", "Command9", "Label2", "Label3", "Label11", "Label12", "Label13"})
        QVERIFY2(!w.visible(hidden), hidden);
    QVERIFY(w.visible("Label1") && w.visible("Label15") && w.visible("Label18"));
    QVERIFY(recordViewIsEmpty(w));
    QCOMPARE(w.text1(), QString());
    QCOMPARE(w.caption("Label7"), u"The Kunyomi:"_s);
    QCOMPARE(w.caption("Label8"), u"Enter the English word:"_s);

    // The details toggle reveals three empty labels; Browse Up shows record 1.
    w.click("Command4");
    QVERIFY(w.visible("Label2") && w.visible("Label3") && w.visible("Label11"));
    QVERIFY(recordViewIsEmpty(w));
    w.click("Command7");
    verifyShows(w, 1);
}

void Form1Test::searchFindsTheFirstMatch_data()
{
    QTest::addColumn<bool>("kunyomi");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("label2");

    QTest::newRow("water") << false << u"water"_s << 264 << u"water"_s << u"mizu"_s;
    QTest::newRow("stored case comes back")
        << false << u"chinese; fellow"_s << 32 << u"Chinese; fellow"_s << u"*"_s;
    QTest::newRow("warui is record 1, not 3") << true << u"warui"_s << 1 << u"warui"_s << u"bad"_s;
}

void Form1Test::searchFindsTheFirstMatch()
{
    QFETCH(bool, kunyomi);
    QFETCH(QString, typed);
    QFETCH(int, row);
    QFETCH(QString, text1);
    QFETCH(QString, label2);
    DictionaryWindow w;
    if (kunyomi)
        w.click("Command6");
    w.type(typed);
    w.click("Command2");
    QVERIFY(w.dialogs.messages.isEmpty());
    QCOMPARE(w.form->currentRecord(), row);
    QCOMPARE(w.text1(), text1);
    QCOMPARE(w.caption("Label2"), label2);
    QCOMPARE(w.caption("Label1"), column(row, Module1::Col::Kanji));
    QCOMPARE(w.caption("Label15"), u" "_s + QString::number(row));
    QCOMPARE(w.caption("Label7"), kunyomi ? u"The English word:"_s : u"The Kunyomi:"_s);
}

void Form1Test::failedSearchChangesNothingElse()
{
    const QString typed = u"cheap"_s; // part of a value: which words match is the engine's
    DictionaryWindow w;
    w.type(u"house"_s);
    w.click("Command2");
    QCOMPARE(w.form->currentRecord(), 18);
    w.type(typed);
    w.click("Command2");
    QCOMPARE(w.dialogs.messages, QStringList {NotFound});
    QVERIFY(recordViewIsEmpty(w));
    QCOMPARE(w.text1(), typed);
    QCOMPARE(w.form->currentRecord(), 18);
    w.click("Command7"); // browsing goes on from the record found last
    verifyShows(w, 19);
}

void Form1Test::directionButtonsSwitchCaptionsAndClear()
{
    DictionaryWindow w;
    w.click("Command7");
    w.click("Command7");
    w.click("Command6");
    QVERIFY(!w.form->englishToJapanese());
    QCOMPARE(w.caption("Label7"), u"The English word:"_s);
    QCOMPARE(w.caption("Label8"), u"Enter the Kunyomi:"_s);
    QVERIFY(recordViewIsEmpty(w));
    QCOMPARE(w.text1(), QString());
    QCOMPARE(w.form->currentRecord(), 2);
    w.type(u"warui"_s);
    w.click("Command2");
    QCOMPARE(w.caption("Label2"), u"bad"_s);

    // Pressing the current direction again clears once more and changes nothing else.
    w.click("Command6");
    QVERIFY(recordViewIsEmpty(w));
    QCOMPARE(w.text1(), QString());
    QCOMPARE(w.form->currentRecord(), 1);

    w.click("Command5");
    QVERIFY(w.form->englishToJapanese());
    QCOMPARE(w.caption("Label7"), u"The Kunyomi:"_s);
    QCOMPARE(w.caption("Label8"), u"Enter the English word:"_s);
    QVERIFY(!w.visible("Command3"));
    QVERIFY(w.visible("Command4"));
    QVERIFY(w.visible("Label2")); // English to Japanese does not hide it again
    w.click("Command7");
    verifyShows(w, 2);
}

void Form1Test::browsingStepsThroughTheRecords()
{
    DictionaryWindow w;
    w.type(u"house"_s);
    w.click("Command2");
    w.click("Command7");
    verifyShows(w, 19);
    w.click("Command8");
    w.click("Command8");
    verifyShows(w, 17);
    for (int i = 0; i < 15; ++i)
        w.click("Command8");
    verifyShows(w, 2);
    w.click("Command8");
    verifyShows(w, 1);
    w.click("Command8"); // the prompt; record 1 stays on display
    QCOMPARE(w.dialogs.prompts, QStringList {FirstPrompt});
    verifyShows(w, 1);
}

void Form1Test::longEnglishShowsFromItsStart()
{
    DictionaryWindow w;
    for (int i = 0; i < 132; ++i)
        w.click("Command7");
    verifyShows(w, 132);
    auto *text1 = static_cast<QLineEdit *>(w.widget("Text1"));
    QCOMPARE(text1->cursorPosition(), 0);
    QVERIFY(text1->toolTip().contains(u"stand; counter for machines"_s));
}

void Form1Test::browsingAtTheEndsAsksForARecord_data()
{
    QTest::addColumn<bool>("atLastRecord");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("current");

    // Which answers count, and the arithmetic, are the engine's; these rows check the wiring.
    QTest::newRow("last: 10") << true << u"10"_s << 10;
    QTest::newRow("last: 320 asks again") << true << u"320"_s << 320;
    QTest::newRow("last: 0 is refused") << true << u"0"_s << 320;
    QTest::newRow("first: 10") << false << u"10"_s << 11;
    QTest::newRow("first: 320.5 is refused") << false << u"320.5"_s << 0;
    QTest::newRow("first: Cancel") << false << QString() << 0;
}

void Form1Test::browsingAtTheEndsAsksForARecord()
{
    QFETCH(bool, atLastRecord);
    QFETCH(QString, answer);
    QFETCH(int, current);
    DictionaryWindow w;
    if (atLastRecord) {
        w.type(u"day; sun"_s);
        w.click("Command2");
        QCOMPARE(w.form->currentRecord(), 320);
    }
    w.dialogs.answers.push_back(answer);
    w.click(atLastRecord ? "Command7" : "Command8");
    QCOMPARE(w.dialogs.prompts, QStringList {atLastRecord ? LastPrompt : FirstPrompt});
    QCOMPARE(w.form->currentRecord(), current);
    // The prompt shows nothing new.
    QCOMPARE(w.caption("Label15"), atLastRecord ? u" 320"_s : QString());

    // The next step continues from the number entered and never leaves the records.
    w.click(atLastRecord ? "Command7" : "Command8");
    const int next = current + (atLastRecord ? 1 : -1);
    if (next >= 1 && next <= 320)
        verifyShows(w, next);
    else
        QCOMPARE(w.dialogs.prompts.size(), 2);
    QCOMPARE(
        w.dialogs.owners, QList<const ui::Window *>(w.dialogs.prompts.size(), &w.form->window()));
}

void Form1Test::browsingReturnsTheSearchToEnglish_data()
{
    QTest::addColumn<QString>("browse");
    QTest::addColumn<int>("row");
    QTest::newRow("Browse Up") << u"Command7"_s << 2;
    QTest::newRow("Browse Down") << u"Command8"_s << 248;
}

void Form1Test::browsingReturnsTheSearchToEnglish()
{
    QFETCH(QString, browse);
    QFETCH(int, row);
    DictionaryWindow w;
    w.click("Command6");
    w.type(row == 2 ? u"warui"_s : u"kuruma"_s);
    w.click("Command2");
    QVERIFY(w.dialogs.messages.isEmpty());
    const bool label2Shown = w.visible("Label2");
    w.click(qPrintable(browse));
    verifyShows(w, row);
    QCOMPARE(w.caption("Label8"), u"Enter the English word:"_s);
    QCOMPARE(w.caption("Label7"), u"The Kunyomi:"_s);
    QVERIFY(w.form->englishToJapanese());
    QCOMPARE(w.visible("Label2"), label2Shown);
    QCOMPARE(w.form->detailsVisible(), 0);
    // Searching for the English word shown finds the same record, not the message.
    w.click("Command2");
    QVERIFY(w.dialogs.messages.isEmpty());
    verifyShows(w, row);
}

// Japanese to English shows Label2 alone; the toggle shows and hides all three, and a browse step
// between keeps its flag.
void Form1Test::detailsToggleFollowsItsFlag()
{
    DictionaryWindow w;
    w.click("Command6");
    QVERIFY(w.visible("Label2"));
    QVERIFY(!w.visible("Label3") && !w.visible("Label11"));
    QCOMPARE(w.form->detailsVisible(), 0);
    w.click("Command4");
    QVERIFY(w.visible("Label2") && w.visible("Label3") && w.visible("Label11"));
    QCOMPARE(w.form->detailsVisible(), -1);
    w.click("Command7");
    w.click("Command4");
    QCOMPARE(w.form->detailsVisible(), 0);
    QVERIFY(!w.visible("Label2") && !w.visible("Label3") && !w.visible("Label11"));
    QVERIFY(w.visible("Label1") && w.visible("Label15") && w.visible("Label18"));
}

void Form1Test::indonesianToggleShowsBothLabels()
{
    DictionaryWindow w;
    w.click("Command7");
    QCOMPARE(w.caption("Label13"), u"buruk"_s);
    w.form->Command9_Click();
    QVERIFY(w.form->indonesianVisible());
    QVERIFY(w.visible("Label12") && w.visible("Label13"));
    w.form->Command9_Click();
    QVERIFY(!w.form->indonesianVisible());
    QVERIFY(!w.visible("Label12") && !w.visible("Label13"));
    QVERIFY(!w.visible("Command9"));
}

void Form1Test::soundCheckLooksForTheReadingsFile_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("shown"); // Label2's caption when not the search's
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("found");
    QTest::newRow("warui.wav exists") << u"bad"_s << QString() << u"warui.wav"_s << true;
    QTest::newRow("star file itself is found")
        << u"by means of"_s << QString() << u"*.wav"_s << true;
    QTest::newRow("nothing shown") << QString() << QString() << u"x.wav"_s << false;
    QTest::newRow("spaces are trimmed") << QString() << u"  warui "_s << u"warui.wav"_s << true;
    QTest::newRow("a tab is kept") << QString() << u"warui\t"_s << u"warui\t.wav"_s << true;
    QTest::newRow("an ideographic space is kept")
        << QString() << u"\u3000warui"_s << u"warui.wav"_s << false;
}

void Form1Test::soundCheckLooksForTheReadingsFile()
{
    QFETCH(QString, search);
    QFETCH(QString, shown);
    QFETCH(QString, file);
    QFETCH(bool, found);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile f(QDir(dir.path()).filePath(file));
    QVERIFY(f.open(QIODevice::WriteOnly));
    DictionaryWindow w;
    if (!search.isEmpty()) {
        w.type(search);
        w.click("Command2");
    }
    if (!shown.isNull())
        static_cast<QLabel *>(w.widget("Label2"))->setText(shown);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    w.form->Command3_Click();
    QDir::setCurrent(previous);
    QCOMPARE(w.dialogs.messages,
        found ? QStringList() : QStringList {u"Sorry the sound file is not available yet"_s});
}

void Form1Test::helpShowsTheNote()
{
    DictionaryWindow w;
    ui::widgetOf(w.form->window())->findChild<QAction *>(u"Help"_s)->trigger();
    QCOMPARE(w.dialogs.messages.size(), 1);
    const QString note = w.dialogs.messages.front();
    QVERIFY(
        note.startsWith(u"Do you know that the most frequently used kanji (1945) consist of:"_s));
    QVERIFY(note.endsWith(u"you can easily guess the pronounciation of almost 67 % of them!"_s));

    QWidget *top = ui::widgetOf(w.form->window());
    top->show();
    QVERIFY(QTest::qWaitForWindowActive(top));
    QTest::keyClick(top, Qt::Key_F1);
    QCOMPARE(w.dialogs.messages, QStringList(2, note));
    QCOMPARE(w.dialogs.owners, QList<const ui::Window *>(2, &w.form->window()));
}

void Form1Test::exitAndCloseBoxEndTheProgram()
{
    DictionaryWindow w;
    w.click("Command10");
    w.click("Command1");
    QCOMPARE(w.ended, 1);
    ui::widgetOf(w.form->window())->close();
    QCOMPARE(w.ended, 2);
}

void Form1Test::checkExpressionHidesTheWindowAndKeepsItsState()
{
    DictionaryWindow w;
    w.form->window().show();
    QVERIFY(QTest::qWaitForWindowExposed(ui::widgetOf(w.form->window())));
    w.click("Command6");
    w.type(u"kuruma"_s);
    w.click("Command2");
    w.click("Command4");
    w.click("Command10");
    QCOMPARE(w.expressionShown, 1);
    QVERIFY(!w.form->window().isVisible());
    w.form->window().show();
    QCOMPARE(w.form->currentRecord(), 249);
    QCOMPARE(w.text1(), u"kuruma"_s);
    QCOMPARE(w.caption("Label2"), u"cart"_s);
    QVERIFY(!w.form->englishToJapanese());
    QCOMPARE(w.form->detailsVisible(), -1);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"

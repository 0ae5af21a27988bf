#include "data/dictionary.h"
#include "loaded_records.h"

#include <QTest>

#include <clocale>

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

constexpr int Refused = -1;

} // namespace

class DictionaryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void findsTheFirstMatchingRecord_data();
    void findsTheFirstMatchingRecord();
    void searchStaysWithinTheCount();
    void answerGivesTheRecordToContinueFrom_data();
    void answerGivesTheRecordToContinueFrom();
    void textIsSpreadOverTheCells_data();
    void textIsSpreadOverTheCells();
};

// A decimal-comma locale where the machine has one, so that reading "10.5" cannot come to
// depend on the locale unnoticed.
void DictionaryTest::initTestCase()
{
    if (!std::setlocale(LC_ALL, "id_ID.UTF-8"))
        std::setlocale(LC_ALL, "de_DE.UTF-8");
}

void DictionaryTest::findsTheFirstMatchingRecord_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("folded");
    QTest::addColumn<int>("row");

    const int english = Col::English, kunyomi = Col::Kunyomi, kanji = Col::Kanji;
    QTest::newRow("water") << english << u"water"_s << true << 264;
    QTest::newRow("house is record 18, not 22") << english << u"house"_s << true << 18;
    QTest::newRow("sound is record 19, not 20") << english << u"sound"_s << true << 19;
    QTest::newRow("between") << english << u"between"_s << true << 223;
    QTest::newRow("cart, then wheel") << english << u"wheel"_s << true << 250;
    QTest::newRow("value with a semicolon") << english << u"chinese; fellow"_s << true << 32;
    QTest::newRow("first English *") << english << u"*"_s << true << 3;
    QTest::newRow("part of a value") << english << u"cheap"_s << true << 0;
    QTest::newRow("one sense of several") << english << u"mind"_s << true << 0;
    QTest::newRow("capitals and spaces") << english << u"  Water "_s << true << 264;
    QTest::newRow("tab and ideographic space") << english << u"\tbad\u3000"_s << true << 1;
    QTest::newRow("full-width capitals are other letters") << english << u"ＢＡＤ"_s << true << 0;
    QTest::newRow("empty") << english << QString() << true << 0;
    QTest::newRow("only spaces") << english << u"   "_s << true << 0;
    QTest::newRow("exact keeps capitals apart") << english << u"Water"_s << false << 0;
    QTest::newRow("warui is record 1, not 3") << kunyomi << u"warui"_s << true << 1;
    QTest::newRow("kuruma") << kunyomi << u"kuruma"_s << true << 249;
    QTest::newRow("first kunyomi *") << kunyomi << u"*"_s << true << 5;
    QTest::newRow("kana kunyomi") << kunyomi << u"ひ"_s << true << 320;
    QTest::newRow("悪 is record 1, not 3") << kanji << u"悪"_s << false << 1;
    QTest::newRow("一") << kanji << u"一"_s << false << 205;
    QTest::newRow("五") << kanji << u"五"_s << false << 206;
    QTest::newRow("曰, the last record") << kanji << u"曰"_s << false << 320;
    QTest::newRow("kanji not in the table") << kanji << u"猫"_s << false << 0;
    QTest::newRow("exact takes no space") << kanji << u" 悪"_s << false << 0;
    QTest::newRow("empty cell") << kanji << QString() << false << 0;
}

void DictionaryTest::findsTheFirstMatchingRecord()
{
    QFETCH(int, column);
    QFETCH(QString, key);
    QFETCH(bool, folded);
    QFETCH(int, row);
    const LoadedRecords &data = loadedRecords();
    QCOMPARE(FindRecord(data.table, data.count, std::size_t(column), key.toStdU16String(),
                 folded ? Match::Folded : Match::Exact),
        row);
}

void DictionaryTest::searchStaysWithinTheCount()
{
    const LoadedRecords &data = loadedRecords();
    QCOMPARE(FindRecord(data.table, 263, Col::English, u"water", Match::Folded), 0);
    QCOMPARE(FindRecord(data.table, 264, Col::English, u"water", Match::Folded), 264);
    QCOMPARE(FindRecord(data.table, 0, Col::English, u"bad", Match::Folded), 0);
    QCOMPARE(FindRecord(data.table, -1, Col::English, u"bad", Match::Folded), 0);
}

void DictionaryTest::answerGivesTheRecordToContinueFrom_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("atFirst");
    QTest::addColumn<int>("stored");

    // At the last record the answer is stored as it is, and names that record.
    QTest::newRow("last: 10") << u"10"_s << false << 10;
    QTest::newRow("last: 1") << u"1"_s << false << 1;
    QTest::newRow("last: 320") << u"320"_s << false << 320;
    QTest::newRow("last: 10.5 to even") << u"10.5"_s << false << 10;
    QTest::newRow("last: 11.5 to even") << u"11.5"_s << false << 12;
    QTest::newRow("last: 1.5") << u"1.5"_s << false << 2;
    QTest::newRow("last: 320.5 to even") << u"320.5"_s << false << 320;
    QTest::newRow("last: 0.5 names 0") << u"0.5"_s << false << Refused;
    QTest::newRow("last: 0") << u"0"_s << false << Refused;
    QTest::newRow("last: 321") << u"321"_s << false << Refused;
    QTest::newRow("last: -5") << u"-5"_s << false << Refused;
    QTest::newRow("last: -0.5") << u"-0.5"_s << false << Refused;
    QTest::newRow("last: 99999") << u"99999"_s << false << Refused;

    // At the first record the answer plus one is stored, then rounded; it names one less.
    QTest::newRow("first: 10") << u"10"_s << true << 11;
    QTest::newRow("first: 10.5 adds, then rounds") << u"10.5"_s << true << 12;
    QTest::newRow("first: 1.5") << u"1.5"_s << true << 2;
    QTest::newRow("first: 0.5 names 1") << u"0.5"_s << true << 2;
    QTest::newRow("first: 320") << u"320"_s << true << 321;
    QTest::newRow("first: 320.5 names 321") << u"320.5"_s << true << Refused;
    QTest::newRow("first: 0") << u"0"_s << true << Refused;
    QTest::newRow("first: -0.5") << u"-0.5"_s << true << Refused;
    QTest::newRow("first: -1") << u"-1"_s << true << Refused;
    QTest::newRow("first: 2401") << u"2401"_s << true << Refused;

    // What counts as a number, the same at both prompts.
    QTest::newRow("spaces around") << u"  42 "_s << false << 42;
    QTest::newRow("ideographic spaces around") << u"\u300042\u3000"_s << false << 42;
    QTest::newRow("plus sign") << u"+7"_s << false << 7;
    QTest::newRow("zero-padded") << u"0000000000000000000000000000000000010"_s << false << 10;
    QTest::newRow("long fraction") << u"10.000000000000000000000000000000001"_s << false << 10;
    // Closer to a half than a double can tell: the digits decide, not their nearest double.
    QTest::newRow("a hair over a half") << u"10.50000000000000000000001"_s << false << 11;
    QTest::newRow("a hair under a half") << u"0.49999999999999999999"_s << true << Refused;
    QTest::newRow("point at the end") << u"5."_s << false << 5;
    QTest::newRow("point at the start") << u".5"_s << true << 2;
    QTest::newRow("full-width digits") << u"１０"_s << false << 10;
    QTest::newRow("full-width point") << u"１０．５"_s << true << 12;
    QTest::newRow("decimal comma") << u"10,5"_s << false << Refused;
    QTest::newRow("empty, as Cancel gives") << QString() << false << Refused;
    QTest::newRow("letters") << u"abc"_s << false << Refused;
    QTest::newRow("exponent") << u"1e2"_s << false << Refused;
    QTest::newRow("sign alone") << u"+"_s << false << Refused;
    QTest::newRow("point alone") << u"."_s << false << Refused;
    QTest::newRow("two points") << u"1.2.3"_s << false << Refused;
    QTest::newRow("two signs") << u"--5"_s << false << Refused;
    QTest::newRow("space inside") << u"1 0"_s << false << Refused;
    QTest::newRow("hexadecimal") << u"0x10"_s << false << Refused;
    QTest::newRow("infinity") << u"inf"_s << false << Refused;
    QTest::newRow("400 digits") << QString(400, u'9') << true << Refused;
}

void DictionaryTest::answerGivesTheRecordToContinueFrom()
{
    QFETCH(QString, answer);
    QFETCH(bool, atFirst);
    QFETCH(int, stored);
    const auto record = RecordFromAnswer(
        answer.toStdU16String(), atFirst ? BrowseEnd::First : BrowseEnd::Last, 320);
    QCOMPARE(record ? int(*record) : Refused, stored);
}

void DictionaryTest::textIsSpreadOverTheCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<bool>("cut");

    const QString pair = u"𠮟"_s;
    QTest::newRow("empty") << QString() << 62 << QStringList() << false;
    QTest::newRow("one code unit each")
        << u"あa \n"_s << 62 << QStringList {u"あ"_s, u"a"_s, u" "_s, u"\n"_s} << false;
    QTest::newRow("exactly the limit")
        << u"abc"_s << 3 << QStringList {u"a"_s, u"b"_s, u"c"_s} << false;
    QTest::newRow("one over the limit")
        << u"abcd"_s << 3 << QStringList {u"a"_s, u"b"_s, u"c"_s} << true;
    QTest::newRow("a pair is one character")
        << pair + u"る"_s << 62 << QStringList {pair, u"る"_s} << false;
    QTest::newRow("a pair is never split at the limit")
        << u"a"_s + pair + pair << 2 << QStringList {u"a"_s, pair} << true;
    QTest::newRow("a lone surrogate is one character")
        << QString(QChar(0xD842)) + u"x"_s << 62 << QStringList {QString(QChar(0xD842)), u"x"_s}
        << false;
    QTest::newRow("no cells") << u"a"_s << 0 << QStringList() << true;
}

void DictionaryTest::textIsSpreadOverTheCells()
{
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(QStringList, cells);
    QFETCH(bool, cut);
    const std::u16string source = text.toStdU16String();
    const CellSplit split = SplitIntoCells(source, std::size_t(limit));
    QStringList got;
    for (std::u16string_view cell : split.cells)
        got << QString::fromStdU16String(std::u16string(cell));
    QCOMPARE(got, cells);
    QCOMPARE(split.cut, cut);
}

QTEST_APPLESS_MAIN(DictionaryTest)
#include "dictionary_test.moc"

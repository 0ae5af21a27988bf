#include "data/kanji_table.h"

#include <QTest>

#include <memory>

using namespace Module1;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::u16string)

namespace {

QString q(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}

} // namespace

class ParserTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splitsFieldsAsTheyStand_data();
    void splitsFieldsAsTheyStand();
    void sevenFieldsLeaveTheRecordInLevel();
    void extraFieldsAreDroppedAndNothingElseIsWritten();
    void onlyRowsUpToTheCountAreParsed();
};

void ParserTest::splitsFieldsAsTheyStand_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("plain record, leading space kept")
        << u" 1,悪,warui,aku,bad,buruk,*,3"_s
        << QStringList {
               u" 1"_s, u"悪"_s, u"warui"_s, u"aku"_s, u"bad"_s, u"buruk"_s, u"*"_s, u"3"_s};
    QTest::newRow("senses joined by semicolon and space")
        << u" 6,意,*,i,mind; meaning,*,*,3"_s
        << QStringList {
               u" 6"_s, u"意"_s, u"*"_s, u"i"_s, u"mind; meaning"_s, u"*"_s, u"*"_s, u"3"_s};
    QTest::newRow("ideographic space in the example")
        << u" 205,一,hitotsu,ichi,one,satu,一年　ichinen (1 year),4"_s
        << QStringList {u" 205"_s, u"一"_s, u"hitotsu"_s, u"ichi"_s, u"one"_s, u"satu"_s,
               u"一年　ichinen (1 year)"_s, u"4"_s};
    QTest::newRow("two commas give an empty field, not *")
        << u" 7,意,*,i,,hasrat,*,3"_s
        << QStringList {u" 7"_s, u"意"_s, u"*"_s, u"i"_s, u""_s, u"hasrat"_s, u"*"_s, u"3"_s};
    QTest::newRow("trailing comma gives an empty level")
        << u" 8,医,*,i,doctor,dokter,*,"_s
        << QStringList {u" 8"_s, u"医"_s, u"*"_s, u"i"_s, u"doctor"_s, u"dokter"_s, u"*"_s, u""_s};
}

void ParserTest::splitsFieldsAsTheyStand()
{
    QFETCH(QString, record);
    QFETCH(QStringList, fields);
    auto table = std::make_unique<Table>();
    (*table)[1][Col::Level] = record.toStdU16String();
    ParseRecords(*table, 1);
    for (int column = 1; column <= 8; ++column)
        QCOMPARE(q((*table)[1][static_cast<std::size_t>(column)]), fields[column - 1]);
    QCOMPARE(q((*table)[1][0]), QString());
}

void ParserTest::sevenFieldsLeaveTheRecordInLevel()
{
    auto table = std::make_unique<Table>();
    const std::u16string record = u" 2,安,yasui,an,cheap/peaceful,murah,*";
    (*table)[2][Col::Level] = record;
    ParseRecords(*table, 2);
    QCOMPARE(q((*table)[2][Col::Example]), u"*"_s);
    QCOMPARE(q((*table)[2][Col::Level]), q(record));
}

void ParserTest::extraFieldsAreDroppedAndNothingElseIsWritten()
{
    auto table = std::make_unique<Table>();
    (*table)[1][Col::Level] = u" 1,a,b,c,d,e,f,3,ninth,tenth";
    (*table)[2][Col::Number] = u"untouched";
    ParseRecords(*table, 1);
    QCOMPARE(q((*table)[1][Col::Level]), u"3"_s);
    QCOMPARE(q((*table)[1][0]), QString());
    QCOMPARE(q((*table)[2][Col::Number]), u"untouched"_s);
}

void ParserTest::onlyRowsUpToTheCountAreParsed()
{
    auto table = std::make_unique<Table>();
    (*table)[1][Col::Level] = u" 1,a,b,c,d,e,f,3";
    (*table)[2][Col::Level] = u" 2,a,b,c,d,e,f,3";
    ParseRecords(*table, 1);
    QCOMPARE(q((*table)[1][Col::Number]), u" 1"_s);
    QCOMPARE(q((*table)[2][Col::Level]), u" 2,a,b,c,d,e,f,3"_s);
    QCOMPARE(q((*table)[2][Col::Number]), QString());
    ParseRecords(*table, 0); // no rows: nothing to do
    ParseRecords(*table, -5);
    QCOMPARE(q((*table)[2][Col::Level]), u" 2,a,b,c,d,e,f,3"_s);
}

QTEST_APPLESS_MAIN(ParserTest)
#include "parser_test.moc"

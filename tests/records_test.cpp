#include "data/builtin_records.h"
#include "data/kanji_table.h"
#include "loaded_records.h"

#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

QString q(std::u16string_view s)
{
    return QString::fromStdU16String(std::u16string(s));
}

bool contains(std::u16string_view s, std::u16string_view part)
{
    return s.find(part) != s.npos;
}

bool isJapaneseExample(std::u16string_view example)
{
    const auto space = example.find(u'\u3000');
    if (space == example.npos || space == 0)
        return false;
    return std::all_of(example.begin(), example.begin() + static_cast<std::ptrdiff_t>(space),
        [](char16_t c) { return c >= 0x3000; });
}

std::map<QString, int> statistics()
{
    const LoadedRecords &data = loadedRecords();
    std::map<QString, int> stats;
    std::map<std::u16string, std::vector<int>> recordsOf;
    std::set<std::u16string> level3, level4;
    for (int n = 1; n <= data.count; ++n) {
        const std::u16string_view kanji = data.field(n, Col::Kanji);
        recordsOf[std::u16string(kanji)].push_back(n);
        (data.field(n, Col::Level) == u"3" ? level3 : level4).insert(std::u16string(kanji));
        const auto &row = data.row(n);
        stats["level 3 records"] += row[Col::Level] == u"3";
        stats["level 4 records"] += row[Col::Level] == u"4";
        stats["records with empty fields"]
            += std::any_of(row.begin() + 1, row.end(), [](const auto &f) { return f.empty(); });
        stats["kanji of one code unit"] += kanji.size() == 1;
        stats["kunyomi *"] += row[Col::Kunyomi] == u"*";
        stats["onyomi *"] += row[Col::Onyomi] == u"*";
        stats["onyomi with /"] += contains(row[Col::Onyomi], u"/");
        stats["english *"] += row[Col::English] == u"*";
        stats["english with ; "] += contains(row[Col::English], u"; ");
        stats["english with /"] += contains(row[Col::English], u"/");
        stats["indonesian *"] += row[Col::Indonesian] == u"*";
        const std::u16string_view example = row[Col::Example];
        if (example != u"*") {
            stats["examples"] += 1;
            stats["examples ending in a gloss"]
                += example.ends_with(u')') && contains(example, u" (");
            stats["japanese examples"] += isJapaneseExample(example);
            stats["romaji examples"]
                += std::all_of(example.begin(), example.end(), [](char16_t c) { return c < 0x80; });
        }
    }
    for (std::u16string_view record : BuiltinRecords)
        stats["records of eight fields"] += std::count(record.begin(), record.end(), u',') == 7;
    stats["distinct kanji"] = static_cast<int>(recordsOf.size());
    stats["distinct kanji of level 3"] = static_cast<int>(level3.size());
    stats["distinct kanji of level 4"] = static_cast<int>(level4.size());
    std::vector<std::u16string> both;
    std::ranges::set_intersection(level3, level4, std::back_inserter(both));
    stats["kanji in both levels"] = static_cast<int>(both.size());
    for (const auto &[kanji, rows] : recordsOf) {
        if (rows.size() > 1) {
            stats["kanji with several records"] += 1;
            stats["records of such kanji"] += static_cast<int>(rows.size());
            stats["kanji whose records are apart"]
                += rows.back() - rows.front() + 1 != static_cast<int>(rows.size());
        }
    }
    return stats;
}

} // namespace

class RecordsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadFillsRowsOneToThreeHundredTwenty();
    void statisticsHold_data();
    void statisticsHold();
    void everyRecordHasAKanjiAndARomajiReading();
};

void RecordsTest::loadFillsRowsOneToThreeHundredTwenty()
{
    const LoadedRecords &data = loadedRecords();
    QCOMPARE(data.count, 320);
    for (int n = 1; n <= 320; ++n)
        QCOMPARE(q(data.field(n, Col::Number)), u" "_s + QString::number(n));
    for (int n = 321; n < static_cast<int>(TableRows); ++n) {
        for (const auto &f : data.row(n))
            QVERIFY2(f.empty(), qPrintable(u"row %1 is not empty"_s.arg(n)));
    }
    for (const auto &f : data.row(0))
        QVERIFY(f.empty());
    for (int n = 1; n <= 320; ++n)
        QVERIFY(data.field(n, 0).empty());
}

void RecordsTest::statisticsHold_data()
{
    QTest::addColumn<QString>("statistic");
    QTest::addColumn<int>("expected");
    const std::pair<const char *, int> expected[] = {
        {"records of eight fields", 320},
        {"records with empty fields", 0},
        {"kanji of one code unit", 320},
        {"level 3 records", 204},
        {"level 4 records", 116},
        {"distinct kanji", 242},
        {"distinct kanji of level 3", 162},
        {"distinct kanji of level 4", 80},
        {"kanji in both levels", 0},
        {"kanji with several records", 54},
        {"records of such kanji", 132},
        {"kanji whose records are apart", 5},
        {"kunyomi *", 32},
        {"onyomi *", 0},
        {"onyomi with /", 69},
        {"english *", 2},
        {"english with ; ", 40},
        {"english with /", 5},
        {"indonesian *", 32},
        {"examples", 48},
        {"examples ending in a gloss", 48},
        {"japanese examples", 33},
        {"romaji examples", 15},
    };
    for (const auto &[name, count] : expected)
        QTest::newRow(name) << QString::fromLatin1(name) << count;
}

void RecordsTest::statisticsHold()
{
    static const std::map<QString, int> stats = statistics();
    QFETCH(QString, statistic);
    QFETCH(int, expected);
    const auto found = stats.find(statistic);
    QCOMPARE(found == stats.end() ? 0 : found->second, expected);
}

void RecordsTest::everyRecordHasAKanjiAndARomajiReading()
{
    const LoadedRecords &data = loadedRecords();
    for (int n = 1; n <= data.count; ++n) {
        const QString record = QString::number(n);
        const std::u16string_view kanji = data.field(n, Col::Kanji);
        QVERIFY2(kanji.size() == 1 && kanji[0] >= u'\u4E00' && kanji[0] <= u'\u9FFF',
            qPrintable(record));
        const std::u16string_view kunyomi = data.field(n, Col::Kunyomi);
        const bool romaji = !kunyomi.empty()
            && std::all_of(
                kunyomi.begin(), kunyomi.end(), [](char16_t c) { return c >= u'a' && c <= u'z'; });
        // Record 320 alone writes its reading in kana.
        QVERIFY2(romaji || kunyomi == u"*" || n == 320, qPrintable(record));
        // The records of level 3, then those of level 4.
        if (n > 1)
            QVERIFY2(
                data.field(n - 1, Col::Level) <= data.field(n, Col::Level), qPrintable(record));
    }
}

QTEST_APPLESS_MAIN(RecordsTest)
#include "records_test.moc"

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

// Number, kanji and kunyomi of every record, in record order.
constexpr std::u16string_view RecordKeys
    = u"1 悪 warui; 2 安 yasui; 3 悪 warui; 4 安 yasui; 5 以 *; 6 意 *; 7 意 *; 8 医 *; 9 員 *; 10 "
      u"飲 nomu; "
      u"11 院 *; 12 烏 tyou; 13 運 hakobu; 14 映 haeru; 15 映 utsuru; 16 英 *; 17 駅 *; 18 屋 oku; "
      u"19 音 ne; 20 音 oto; "
      u"21 夏 natsu; 22 家 ie; 23 歌 utau; 24 歌 uta; 25 花 hana; 26 画 ga; 27 会 au; 28 海 umi; "
      u"29 界 *; 30 開 hiraku; "
      u"31 楽 tanoshii; 32 漢 *; 33 館 *; 34 帰 kaeru; 35 起 okiru; 36 急 isogu; 37 究 kiwameru; "
      u"38 牛 ushi; 39 去 saru; 40 京 kyou; "
      u"41 強 tsuyoi; 42 教 oshieru; 43 業 waza; 44 近 chikai; 45 銀 *; 46 空 akeru; 47 空 sora; "
      u"48 兄 ani; 49 計 hakaru; 50 建 tatsu; "
      u"51 建 tateru; 52 犬 inu; 53 研 togu; 54 験 ken; 55 元 moto; 56 言 iu; 57 古 furui; 58 古 "
      u"furusu; 59 口 kuchi; 60 工 kou; "
      u"61 広 hiroi; 62 考 kangaeru; 63 黒 kuroi; 64 込 komeru; 65 作 tsukuru; 66 仕 tsukaeru; 67 "
      u"使 tsukau; 68 始 hajimaru; 69 姉 ane; 70 思 omou; "
      u"71 止 tomaru; 72 死 shinu; 73 私 watashi; 74 私 watakushi; 75 紙 kami; 76 試 kokoromiru; "
      u"77 事 koto; 78 字 aza; 79 持 motsu; 80 自 mizukara; "
      u"81 室 muro; 82 質 shitsu; 83 写 utsuru; 84 社 yashiro; 85 者 mono; 86 借 kariru; 87 主 "
      u"nusi; 88 主 omo; 89 手 te; 90 秋 aki; "
      u"91 終 owaru; 92 習 narau; 93 週 *; 94 集 atsumaru; 95 住 sumu; 96 重 omoi; 97 春 haru; 98 "
      u"少 sukunai; 99 少 sukoshi; 100 場 ba; "
      u"101 色 iro; 102 心 kokoro; 103 新 atarashii; 104 新 arata; 105 真 ma; 106 親 oya; 107 親 "
      u"sitasimu; 108 親 sitasi; 109 図 hakaru; 110 世 yo; "
      u"111 正 tadasu; 112 正 tadashi; 113 青 aoi; 114 赤 akaramu; 115 赤 akai; 116 切 kiru; 117 "
      u"早 hayameru; 118 早 hayai; 119 走 hashiru; 120 送 okuru; "
      u"121 足 taru; 122 足 tasu; 123 足 tariru; 124 足 ashi; 125 族 *; 126 多 ooi; 127 体 karada; "
      u"128 待 matsu; 129 貸 kasu; 130 代 kawaru; "
      u"131 代 kaeru; 132 台 tai; 133 題 *; 134 知 shiru; 135 茶 *; 136 茶 *; 137 着 tukeru; 138 "
      u"着 kiru; 139 昼 hiru; 140 注 sosogu; "
      u"141 朝 asa; 142 町 machi; 143 鳥 tori; 144 通 kayou; 145 通 toosu; 146 通 tooru; 147 店 "
      u"mise; 148 転 korobu; 149 転 korogaru; 150 転 korogeru; "
      u"151 転 korogasu; 152 田 ta; 153 度 tabi; 154 冬 fuyu; 155 答 kotaeru; 156 動 ugokasu; 157 "
      u"動 ugoku; 158 同 onaji; 159 堂 *; 160 道 michi; "
      u"161 特 *; 162 肉 *; 163 買 kau; 164 売 uru; 165 発 hatsu; 166 飯 meshi; 167 病 yamai; 168 "
      u"病 yamu; 169 品 shina; 170 不 bu; "
      u"171 服 *; 172 物 mono; 173 文 fumi; 174 別 wakareru; 175 勉 *; 176 歩 ayumu; 177 歩 aruku; "
      u"178 方 kata; 179 妹 imoto; 180 味 aji; "
      u"181 味 ajiwau; 182 明 akarui; 183 明 akarumu; 184 明 akaramu; 185 明 akiraka; 186 明 "
      u"akeru; 187 明 aku; 188 明 akuru; 189 明 akasu; 190 目 ma; "
      u"191 目 me; 192 問 toi; 193 問 tou; 194 夜 yoru; 195 野 no; 196 有 aru; 197 夕 yuu; 198 曜 "
      u"*; 199 洋 *; 200 用 mochiiru; "
      u"201 理 *; 202 旅 tabi; 203 料 *; 204 力 chikara; 205 一 hitotsu; 206 五 itsutsu; 207 四 "
      u"yottsu; 208 一 hitotsu; 209 右 migi; 210 雨 ame; "
      u"211 円 marui; 212 下 orosu; 213 下 oriru; 214 下 sageru; 215 下 sagaru; 216 何 nan; 217 何 "
      u"nani; 218 火 hi; 219 外 hazusu; 220 外 soto; "
      u"221 外 hoka; 222 学 manabu; 223 間 aida; 224 間 aida; 225 気 ki; 226 金 kane; 227 九 "
      u"kokonotsu; 228 月 tsuki; 229 見 miru; 230 見 mieru; "
      u"231 五 itsutsu; 232 午 *; 233 後 ushiro; 234 後 okureru; 235 語 kataru; 236 校 *; 237 行 "
      u"iku; 238 行 okonau; 239 高 takai; 240 国 kuni; "
      u"241 今 ima; 242 左 hidari; 243 三 mittsu; 244 山 yama; 245 四 yotsu; 246 子 ko; 247 時 "
      u"toki; 248 七 nanatsu; 249 車 kuruma; 250 車 kuruma; "
      u"251 十 too; 252 出 dasu; 253 出 deru; 254 書 kaku; 255 女 onna; 256 小 chiisai; 257 上 "
      u"nobosu; 258 上 noboru; 259 上 ageru; 260 上 agaru; "
      u"261 食 kuu; 262 食 taberu; 263 人 hito; 264 水 mizu; 265 生 umareru; 266 生 ou; 267 生 "
      u"haeru; 268 生 hayasu; 269 生 nama; 270 生 ikiru; "
      u"271 西 nishi; 272 先 saki; 273 千 chi; 274 川 kawa; 275 前 mae; 276 大 ookii; 277 男 "
      u"otoko; 278 中 naka; 279 長 nagai; 280 天 ten; "
      u"281 電 *; 282 土 tsuchi; 283 東 higashi; 284 読 yomu; 285 南 minami; 286 二 futatsu; 287 "
      u"日 hi; 288 入 iru; 289 入 ireru; 290 入 hairu; "
      u"291 年 toshi; 292 白 shiroi; 293 白 shiro; 294 八 ya; 295 八 you; 296 八 yattsu; 297 半 "
      u"nakaba; 298 百 *; 299 父 chichi; 300 分 wakeru; "
      u"301 分 wakaru; 302 聞 kikoeru; 303 聞 kiku; 304 母 haha; 305 北 kita; 306 本 moto; 307 毎 "
      u"*; 308 万 *; 309 名 na; 310 木 ko; "
      u"311 木 ki; 312 友 tomo; 313 来 kitaru; 314 来 kitasu; 315 来 kuru; 316 六 mui; 317 六 "
      u"mutsu; 318 話 hanasi; 319 話 hanasu; 320 曰 ひ";

// Records that show each shape the format takes, exactly as they must stand.
constexpr std::u16string_view TellingRecords[] = {
    u" 1,悪,warui,aku,bad,buruk,*,3",
    u" 2,安,yasui,an,cheap/peaceful,murah,*,3",
    u" 3,悪,warui,aku,*,*,*,3",
    u" 4,安,yasui,an,peaceful,murah,*,3",
    u" 6,意,*,i,mind; meaning,*,*,3",
    u" 7,意,*,i,will,hasrat,*,3",
    u" 9,員,*,in,member,anggota,tenin (store clerk),3",
    u" 17,駅,*,eki,station,stasiun,Toukyoueki (Tokyo station),3",
    u" 21,夏,natsu,ka/ge,summer,m.panas,*,3",
    u" 32,漢,*,kan,Chinese; fellow,*,*,3",
    u" 73,私,watashi,tsu,private/I,saya,*,3",
    u" 74,私,watakushi,shi,I,saya,*,3",
    u" 105,真,ma,shin,*,*,*,3",
    u" 121,足,taru,shoku,leg,kaki,*,3",
    u" 135,茶,*,cha/sa,tea,teh,*,3",
    u" 136,茶,*,cha/sa,tea,teh,*,3",
    u" 182,明,akarui,mei/myou,bright,terang,*,3",
    u" 204,力,chikara,ryoku,power,kekuasaan,*,3",
    u" 205,一,hitotsu,ichi,one,satu,一年　ichinen (1 year),4",
    u" 211,円,marui,en,round; circle; yen,bulat,百円　hyakuen (100 yen),4",
    u" 228,月,tsuki,gatsu/getsu,moon/month,bulan,今月　kongetsu (this month),4",
    u" 273,千,chi,sen,thousand,ribuan,２００２年　nisenni nen (year 2002),4",
    u" 280,天,ten,ame; ama,sky,langit,*,4",
    u" 286,二,futatsu,ni,two,dua,二ヶ月　nikagetsu (2 months),4",
    u" 298,百,*,hyaku,hundred,ratusan,百万　hyakuman (one million),4",
    u" 320,曰,ひ,ka/nichi/jitsu,day; sun,*,*,4",
};

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
    void everyKeyIsAsListed();
    void tellingRecordsStandExactly();
    void wordsRepeatInLaterRecords();
    void repeatedRecordsRepeatTheFirst_data();
    void repeatedRecordsRepeatTheFirst();
    void duplicatesDifferOnlyInNumber();
};

void RecordsTest::loadFillsRowsOneToThreeHundredTwenty()
{
    const LoadedRecords &data = loadedRecords();
    QCOMPARE(data.count, 320);
    for (int n = 1; n <= 320; ++n)
        QCOMPARE(q(data.field(n, Col::Number)), u" "_s + QString::number(n));
    QCOMPARE(q(data.field(320, Col::Kanji)), u"曰"_s);
    QCOMPARE(q(data.field(204, Col::Level)), u"3"_s);
    QCOMPARE(q(data.field(205, Col::Level)), u"4"_s);
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

void RecordsTest::everyKeyIsAsListed()
{
    const LoadedRecords &data = loadedRecords();
    const QStringList keys = q(RecordKeys).split(u"; "_s);
    QCOMPARE(keys.size(), 320);
    for (const QString &key : keys) {
        const QStringList parts = key.split(u' ');
        const int n = parts[0].toInt();
        QCOMPARE(q(data.field(n, Col::Kanji)), parts[1]);
        QCOMPARE(q(data.field(n, Col::Kunyomi)), parts[2]);
    }
}

void RecordsTest::tellingRecordsStandExactly()
{
    for (std::u16string_view record : TellingRecords) {
        const int n = q(record).section(u',', 0, 0).trimmed().toInt();
        QCOMPARE(q(BuiltinRecords[static_cast<std::size_t>(n - 1)]), q(record));
    }
}

void RecordsTest::wordsRepeatInLaterRecords()
{
    // The search finds the first of these; the later ones stay reachable by browsing.
    const LoadedRecords &data = loadedRecords();
    QCOMPARE(q(data.field(22, Col::English)), u"house"_s);
    QCOMPARE(q(data.field(20, Col::English)), u"sound"_s);
    QCOMPARE(q(data.field(264, Col::Onyomi)), u"sui"_s);
    QCOMPARE(q(data.field(264, Col::Indonesian)), u"air"_s);
}

void RecordsTest::repeatedRecordsRepeatTheFirst_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("repeat");
    QTest::newRow("悪") << 1 << 3;
    QTest::newRow("一") << 205 << 208;
    QTest::newRow("五") << 206 << 231;
}

void RecordsTest::repeatedRecordsRepeatTheFirst()
{
    QFETCH(int, first);
    QFETCH(int, repeat);
    const LoadedRecords &data = loadedRecords();
    int fewer = 0;
    for (std::size_t column = Col::Kanji; column <= Col::Level; ++column) {
        const auto original = data.field(first, column);
        const auto copy = data.field(repeat, column);
        QVERIFY2(copy == original || copy == u"*", qPrintable(q(copy)));
        fewer += copy != original;
    }
    QVERIFY(fewer > 0);
}

void RecordsTest::duplicatesDifferOnlyInNumber()
{
    const LoadedRecords &data = loadedRecords();
    QCOMPARE(q(data.field(135, Col::Number)), u" 135"_s);
    QCOMPARE(q(data.field(136, Col::Number)), u" 136"_s);
    for (std::size_t column = Col::Kanji; column <= Col::Level; ++column)
        QCOMPARE(q(data.field(135, column)), q(data.field(136, column)));
}

QTEST_APPLESS_MAIN(RecordsTest)
#include "records_test.moc"

#include "conjugation/conjugation.h"

#include <QString>
#include <QTest>

#include <initializer_list>
#include <utility>

namespace {

using Expected = std::initializer_list<std::pair<VerbForm, std::u16string_view>>;

constexpr std::array<const char *, VerbFormCount> FormNames
    = {"dictionary-form", "masu-form", "ta-form", "te-form", "imperative", "conditional",
        "volitional", "nai-form", "passive", "causative"};

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// One row per form, named "<label>: <form>", so a failure names the word and the form.
void addRows(const QString &label, std::u16string_view input, Expected expected)
{
    for (const auto &[form, value] : expected) {
        const QString name
            = label + QStringLiteral(": ") + QLatin1String(FormNames[FormIndex(form)]);
        QTest::newRow(name.toUtf8().constData())
            << toQString(input) << static_cast<int>(form) << toQString(value);
    }
}

void addRows(std::u16string_view input, Expected expected)
{
    addRows(toQString(input), input, expected);
}

void addAllRows(const QString &label, std::u16string_view input,
    std::array<std::u16string_view, VerbFormCount> forms)
{
    for (std::size_t i = 0; i < VerbFormCount; ++i)
        addRows(label, input, {{static_cast<VerbForm>(i), forms[i]}});
}

void addAllRows(std::u16string_view input, std::array<std::u16string_view, VerbFormCount> forms)
{
    addAllRows(toQString(input), input, forms);
}

std::u16string repeated(std::u16string_view text, int count)
{
    std::u16string result;
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

} // namespace

class ConjugationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conjugatesEachForm_data();
    void conjugatesEachForm();
};

void ConjugationTest::conjugatesEachForm_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("expected");

    using enum VerbForm;

    // The twelve reference verbs, every form.
    addAllRows(u"taberu",
        {u"taberu", u"tabemasu", u"tabeta", u"tabete", u"tabero", u"tabereba", u"tabeyou",
            u"tabenai", u"taberareru", u"tabesaseru"});
    addAllRows(u"miru",
        {u"miru", u"mimasu", u"mita", u"mite", u"miro", u"mireba", u"miyou", u"minai", u"mirareru",
            u"misaseru"});
    addAllRows(u"kaku",
        {u"kaku", u"kakimasu", u"kaita", u"kaite", u"kake", u"kakeba", u"kakou", u"kakanai",
            u"kakareru", u"kakaseru"});
    addAllRows(u"oyogu",
        {u"oyogu", u"oyogimasu", u"oyoida", u"oyoide", u"oyoge", u"oyogeba", u"oyogou", u"oyoganai",
            u"oyogareru", u"oyogaseru"});
    addAllRows(u"yomu",
        {u"yomu", u"yomimasu", u"yonda", u"yonde", u"yome", u"yomeba", u"yomou", u"yomanai",
            u"yomareru", u"yomaseru"});
    addAllRows(u"hanasu",
        {u"hanasu", u"hanashimasu", u"hanashita", u"hanashite", u"hanase", u"hanaseba", u"hanasou",
            u"hanasanai", u"hanasareru", u"hanasaseru"});
    addAllRows(u"matsu",
        {u"matsu", u"machimasu", u"matta", u"matte", u"mate", u"mateba", u"matou", u"matanai",
            u"matareru", u"mataseru"});
    addAllRows(u"kau",
        {u"kau", u"kaimasu", u"katta", u"katte", u"kae", u"kaeba", u"kaou", u"kawanai", u"kawareru",
            u"kawaseru"});
    addAllRows(u"toru",
        {u"toru", u"torimasu", u"totta", u"totte", u"tore", u"toreba", u"torou", u"toranai",
            u"torareru", u"toraseru"});
    addAllRows(u"kaeru",
        {u"kaeru", u"kaerimasu", u"kaetta", u"kaette", u"kaere", u"kaereba", u"kaerou", u"kaeranai",
            u"kaerareru", u"kaeraseru"});
    addAllRows(u"kuru",
        {u"kuru", u"kimasu", u"kita", u"kite", u"koi", u"kureba", u"koyou", u"konai", u"korareru",
            u"kosaseru"});
    addAllRows(u"suru",
        {u"suru", u"shimasu", u"shita", u"shite", u"shiro", u"sureba", u"shiyou", u"shinai",
            u"sareru", u"saseru"});

    // Only the bare words are irregular; a rewritten exception verb is no longer an "iru" verb.
    addAllRows(u"benkyousuru",
        {u"benkyousuru", u"benkyousurimasu", u"benkyousutta", u"benkyousutte", u"benkyousure",
            u"benkyousureba", u"benkyousurou", u"benkyousuranai", u"benkyousurareru",
            u"benkyousuraseru"});
    addAllRows(u"kiru",
        {u"kiru", u"kirimasu", u"kitta", u"kitte", u"kire", u"kireba", u"kirou", u"kiranai",
            u"kirareru", u"kiraseru"});
    addAllRows(u"shiru",
        {u"shiru", u"shirimasu", u"shitta", u"shitte", u"shire", u"shireba", u"shirou", u"shiranai",
            u"shirareru", u"shiraseru"});
    // Three whole words take their true forms in place of the letter rules' ones; everything
    // else about them, and every word around them, keeps the letter rules.
    addAllRows(u"iku",
        {u"iku", u"ikimasu", u"itta", u"itte", u"ike", u"ikeba", u"ikou", u"ikanai", u"ikareru",
            u"ikaseru"});
    addAllRows(u"yuku",
        {u"yuku", u"yukimasu", u"yutta", u"yutte", u"yuke", u"yukeba", u"yukou", u"yukanai",
            u"yukareru", u"yukaseru"});
    addAllRows(u"aru",
        {u"aru", u"arimasu", u"atta", u"atte", u"are", u"areba", u"arou", u"nai", u"arareru",
            u"araseru"});
    addRows(QStringLiteral("spaced Iku"), u" \u3000Iku\t", {{Ta, u"itta"}, {Te, u"itte"}});
    addRows(QStringLiteral("spaced YUKU"), u"  YUKU ", {{Ta, u"yutta"}, {Te, u"yutte"}});
    addRows(QStringLiteral("capital Aru"), u"Aru", {{Nai, u"nai"}});
    addRows(
        QStringLiteral("full-width iku is no match"), u"\uff49\uff4b\uff55", {{Ta, u"\uff49tta"}});
    addRows(u"kiku", {{Ta, u"kiita"}, {Te, u"kiite"}});
    addRows(u"ikiku", {{Ta, u"ikiita"}, {Te, u"ikiite"}});
    addRows(u"ikuku", {{Ta, u"ikuita"}});
    addRows(u"yu", {{Ta, u"tta"}, {Te, u"tte"}});
    addRows(u"haru", {{Nai, u"haranai"}});
    addRows(u"ar", {{Nai, u"aanai"}});
    addRows(u"taru", {{Nai, u"taranai"}});
    addRows(QStringLiteral("inner space a ru"), u"a ru", {{Nai, u"a ranai"}});
    addRows(QStringLiteral("newline iku"), u"iku\n", {{Ta, u"iktta"}});
    addAllRows(u"iu",
        {u"iu", u"iimasu", u"itta", u"itte", u"ie", u"ieba", u"iou", u"iwanai", u"iwareru",
            u"iwaseru"});
    addAllRows(u"abc",
        {u"abc", u"abimasu", u"atta", u"atte", u"abe", u"abeba", u"abou", u"abanai", u"abareru",
            u"abaseru"});
    addRows(u"iru", {{Masu, u"irimasu"}, {Ta, u"itta"}});
    addRows(u"su", {{Masu, u"shimasu"}, {Ta, u"shita"}});

    // Each row of the past-tense table; the ta form shows the suffix that was chosen.
    addRows(u"shinu", {{Ta, u"shinda"}, {Te, u"shinde"}});
    addRows(u"yobu", {{Ta, u"yonda"}, {Te, u"yonde"}});
    addRows(u"kasu", {{Ta, u"kashita"}, {Te, u"kashite"}});
    addRows(u"utsu", {{Masu, u"uchimasu"}, {Ta, u"utta"}, {Te, u"utte"}, {Nai, u"utanai"}});
    addRows(u"neru", {{Ta, u"neta"}, {Te, u"nete"}});
    addRows(u"ku", {{Masu, u"kimasu"}, {Ta, u"ita"}, {Te, u"ite"}});
    addRows(u"gu", {{Ta, u"ida"}, {Te, u"ide"}});
    addRows(u"tsu", {{Masu, u"chimasu"}, {Ta, u"tta"}, {Te, u"tte"}, {Imperative, u"te"}});

    // Every exception verb loses its "iru"/"eru" treatment and takes "tta".
    addRows(u"hairu", {{Masu, u"hairimasu"}, {Ta, u"haitta"}, {Imperative, u"haire"}});
    addRows(u"monoshiru", {{Masu, u"monoshirimasu"}, {Ta, u"monoshitta"}, {Nai, u"monoshiranai"}});
    addRows(u"hashiru", {{Masu, u"hashirimasu"}, {Ta, u"hashitta"}, {Volitional, u"hashirou"}});
    addRows(u"nejiru", {{Masu, u"nejirimasu"}, {Ta, u"nejitta"}, {Causative, u"nejiraseru"}});
    addRows(u"keru", {{Masu, u"kerimasu"}, {Ta, u"ketta"}, {Imperative, u"kere"}});
    addRows(u"suberu", {{Masu, u"suberimasu"}, {Ta, u"subetta"}, {Te, u"subette"}});
    addRows(u"chiru", {{Masu, u"chirimasu"}, {Ta, u"chitta"}, {Volitional, u"chirou"}});
    addRows(u"negiru", {{Masu, u"negirimasu"}, {Ta, u"negitta"}, {Nai, u"negiranai"}});
    addRows(u"teru", {{Masu, u"terimasu"}, {Ta, u"tetta"}, {Causative, u"teraseru"}});
    addRows(u"shaberu", {{Masu, u"shaberimasu"}, {Ta, u"shabetta"}, {Imperative, u"shabere"}});
    addRows(u"akiru", {{Ta, u"akita"}, {Imperative, u"akiro"}, {Causative, u"akisaseru"}});

    // Each vowel ending overrides the past-tense table and makes the nai form in "wanai".
    addRows(u"nuu", {{Ta, u"nutta"}, {Te, u"nutte"}, {Nai, u"nuwanai"}, {Passive, u"nuwareru"}});
    addRows(u"omou", {{Ta, u"omotta"}, {Nai, u"omowanai"}, {Causative, u"omowaseru"}});
    addRows(u"eu", {{Ta, u"etta"}, {Te, u"ette"}, {Nai, u"ewanai"}, {Passive, u"ewareru"}});
    addRows(u"u", {{Masu, u"imasu"}, {Ta, u""}, {Nai, u"anai"}});

    // The irregular verbs are recognised by their rewritten stems alone.
    addAllRows(u"kir",
        {u"kir", u"kimasu", u"ktta", u"ktte", u"koi", u"kureba", u"koyou", u"konai", u"korareru",
            u"kosaseru"});
    addRows(u"shir", {{Masu, u"shimasu"}, {Conditional, u"sureba"}, {Passive, u"sareru"}});

    // One character and empty: the cut goes to nothing, or past it.
    addAllRows(u"a", {u"a", u"imasu", u"", u"", u"e", u"eba", u"ou", u"anai", u"areru", u"aseru"});
    addAllRows(QStringLiteral("empty"), u"", {u"", u"", u"", u"", u"", u"", u"", u"", u"", u""});
    addRows(QStringLiteral("only spaces"), u" \t\u3000 ", {{Dictionary, u""}, {Causative, u""}});

    // Trimming and lower-casing, and nothing else.
    addRows(QStringLiteral("spaced Kaku"), u"  Kaku ", {{Dictionary, u"kaku"}, {Ta, u"kaita"}});
    addRows(u"TABERU", {{Dictionary, u"taberu"}, {Masu, u"tabemasu"}});
    addRows(QStringLiteral("tabbed kuru"), u"\tkuru\t", {{Dictionary, u"kuru"}, {Ta, u"kita"}});
    addRows(QStringLiteral("ideographic spaces"), u"\u3000kau\u3000",
        {{Dictionary, u"kau"}, {Nai, u"kawanai"}});
    addRows(QStringLiteral("newline kept"), u"\nkaku", {{Dictionary, u"\nkaku"}});
    addRows(QStringLiteral("no-break space kept"), u"kaku\u00a0", {{Dictionary, u"kaku\u00a0"}});
    addRows(QStringLiteral("inner space kept"), u"ka ku", {{Masu, u"ka kimasu"}});
    addRows(QStringLiteral("letters next to A-Z"), u"@AZ[`az{", {{Dictionary, u"@az[`az{"}});
    addRows(QStringLiteral("full-width capitals"), u"\uff20\uff21\uff3a\uff3b\uff41",
        {{Dictionary, u"\uff20\uff41\uff5a\uff3b\uff41"}});
    addRows(QStringLiteral("full-width TABERU"), u"\uff34\uff21\uff22\uff25\uff32\uff35",
        {{Dictionary, u"\uff54\uff41\uff42\uff45\uff52\uff55"},
            {Masu, u"\uff54\uff41\uff42\uff45\uff52imasu"}});
    addRows(
        QStringLiteral("other capitals kept"), u"\u00c9\u03a3", {{Dictionary, u"\u00c9\u03a3"}});

    // A surrogate pair is one character: cuts take it whole.
    addAllRows(u"\U00020B9F",
        {u"\U00020B9F", u"imasu", u"", u"", u"e", u"eba", u"ou", u"anai", u"areru", u"aseru"});
    addRows(u"\U00020B9F\U00020B9F",
        {{Masu, u"\U00020B9Fimasu"}, {Ta, u"tta"}, {Imperative, u"\U00020B9Fe"}});
    addRows(u"ka\U00020B9F", {{Masu, u"kaimasu"}, {Ta, u"ktta"}, {Te, u"ktte"}});
    addRows(u"a\U00020B9Fku", {{Masu, u"a\U00020B9Fkimasu"}, {Ta, u"a\U00020B9Fita"}});
    addRows(QStringLiteral("lone high surrogate"), u"\xD842",
        {{Dictionary, u"\xD842"}, {Masu, u"imasu"}, {Ta, u""}});
    addRows(QStringLiteral("lone low surrogate"), u"ka\xDF9F", {{Masu, u"kaimasu"}, {Ta, u"ktta"}});
    addRows(
        QStringLiteral("low before high"), u"\xDF9F\xD842", {{Masu, u"\xDF9Fimasu"}, {Ta, u"tta"}});
    addRows(QStringLiteral("high before ku"), u"\xD842ku",
        {{Masu, u"\xD842kimasu"}, {Ta, u"\xD842ita"}});

    const std::u16string million(1'000'000, u'a');
    addRows(QStringLiteral("a million characters"), million,
        {{Dictionary, million}, {Ta, million.substr(0, million.size() - 2) + u"tta"},
            {Causative, million.substr(0, million.size() - 1) + u"aseru"}});
    const std::u16string pairs = repeated(u"\U00020B9F", 500'000);
    addRows(QStringLiteral("half a million surrogate pairs"), pairs,
        {{Masu, pairs.substr(0, pairs.size() - 2) + u"imasu"},
            {Ta, pairs.substr(0, pairs.size() - 4) + u"tta"}});
}

void ConjugationTest::conjugatesEachForm()
{
    QFETCH(QString, input);
    QFETCH(int, form);
    QFETCH(QString, expected);

    const VerbForms forms = ConjugateVerb(input.toStdU16String());
    QCOMPARE(toQString(forms[static_cast<std::size_t>(form)]), expected);
}

QTEST_APPLESS_MAIN(ConjugationTest)
#include "conjugation_test.moc"

#include "conjugation/conjugation.h"

#include "data/text.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

// Verbs in "iru" or "eru" that conjugate like the verbs that do not end so.
constexpr std::array<std::u16string_view, 14> ExceptionVerbs = {
    u"kiru",
    u"hairu",
    u"monoshiru",
    u"hashiru",
    u"nejiru",
    u"kaeru",
    u"keru",
    u"suberu",
    u"iru",
    u"shiru",
    u"chiru",
    u"negiru",
    u"teru",
    u"shaberu",
};

// Whole words whose letter-rule forms are plainly wrong, with the forms that replace them. Other
// wrong forms ("iru", "kaeru") would need a dictionary to tell the verb class apart.
struct WordFix
{
    std::u16string_view word;
    VerbForm form;
    std::u16string_view result;
};
constexpr std::array<WordFix, 5> WordFixes = {{
    {u"iku", VerbForm::Ta, u"itta"},
    {u"iku", VerbForm::Te, u"itte"},
    {u"yuku", VerbForm::Ta, u"yutta"},
    {u"yuku", VerbForm::Te, u"yutte"},
    {u"aru", VerbForm::Nai, u"nai"},
}};

constexpr std::array<std::u16string_view, 5> VowelEndings = {u"au", u"uu", u"ou", u"iu", u"eu"};
constexpr std::array<std::u16string_view, 2> IruEru = {u"iru", u"eru"};
constexpr std::array<std::u16string_view, 3> NdaEndings = {u"nu", u"bu", u"mu"};

template <std::size_t N>
bool EndsInAny(std::u16string_view text, const std::array<std::u16string_view, N> &endings)
{
    return std::any_of(endings.begin(), endings.end(),
        [text](std::u16string_view ending) { return text.ends_with(ending); });
}

bool EndsInIruOrEru(std::u16string_view stem)
{
    return EndsInAny(stem, IruEru);
}

// Length in code units of what is left once the last n characters are dropped; a valid
// surrogate pair is one character, so it goes or stays whole.
std::optional<std::size_t> LengthWithoutLast(std::u16string_view text, std::size_t n)
{
    std::size_t end = text.size();
    for (; n > 0; --n) {
        if (end == 0)
            return std::nullopt;
        --end;
        if (end > 0 && text::isLowSurrogate(text[end]) && text::isHighSurrogate(text[end - 1]))
            --end;
    }
    return end;
}

// The stem without its last n characters, joined to the ending; empty if the stem is too short.
std::u16string Cut(std::u16string_view stem, std::size_t n, std::u16string_view ending)
{
    const auto kept = LengthWithoutLast(stem, n);
    if (!kept)
        return {};
    std::u16string result;
    result.reserve(*kept + ending.size());
    result.append(stem.substr(0, *kept)).append(ending);
    return result;
}

std::u16string_view ChooseTaSuffix(std::u16string_view word)
{
    if (word.ends_with(u"ku"))
        return u"ita";
    if (word.ends_with(u"gu"))
        return u"ida";
    if (EndsInAny(word, NdaEndings))
        return u"nda";
    if (word.ends_with(u"su") && !word.ends_with(u"tsu"))
        return u"shita";
    if (EndsInIruOrEru(word))
        return u"ta";
    return u"tta";
}

} // namespace

VerbForms ConjugateVerb(std::u16string_view text)
{
    VerbForms forms;
    auto form = [&forms](VerbForm which) -> std::u16string & {
        return forms[FormIndex(which)];
    };

    const std::u16string word = text::folded(text);
    const bool vowelEnding = EndsInAny(word, VowelEndings);
    std::u16string_view taSuffix = ChooseTaSuffix(word);
    if (word == u"kuru" || word == u"suru")
        taSuffix = u"ita";

    form(VerbForm::Dictionary) = word;

    std::u16string stem = word;
    if (stem == u"kuru") {
        stem = u"kir";
    } else if (stem == u"suru") {
        stem = u"shir";
    } else if (std::find(ExceptionVerbs.begin(), ExceptionVerbs.end(), stem)
        != ExceptionVerbs.end()) {
        stem = Cut(stem, 1, u"i");
        taSuffix = u"tta";
    }
    // Later rewrites never yield these two, but the steps test the current stem as written.
    auto isKir = [&stem] {
        return stem == u"kir";
    };
    auto isShir = [&stem] {
        return stem == u"shir";
    };

    if (EndsInIruOrEru(stem))
        form(VerbForm::Masu) = Cut(stem, 2, u"masu");
    else if (stem.ends_with(u"tsu"))
        form(VerbForm::Masu) = Cut(stem, 3, u"chimasu");
    else if (stem.ends_with(u"su"))
        form(VerbForm::Masu) = Cut(stem, 2, u"shimasu");
    else if (isKir() || isShir())
        form(VerbForm::Masu) = Cut(stem, 1, u"masu");
    else
        form(VerbForm::Masu) = Cut(stem, 1, u"imasu");
    if (stem.ends_with(u"tsu"))
        stem = Cut(stem, 2, u"u");

    if (vowelEnding) {
        form(VerbForm::Ta) = Cut(stem, 1, u"tta");
        form(VerbForm::Te) = Cut(stem, 1, u"tte");
    } else {
        form(VerbForm::Ta) = Cut(stem, 2, taSuffix);
        std::u16string teEnding(taSuffix.substr(0, taSuffix.size() - 1));
        teEnding += u'e';
        form(VerbForm::Te) = Cut(stem, 2, teEnding);
    }

    if (isKir())
        form(VerbForm::Imperative) = u"koi";
    else if (isShir())
        form(VerbForm::Imperative) = u"shiro";
    else if (EndsInIruOrEru(stem))
        form(VerbForm::Imperative) = Cut(stem, 2, u"ro");
    else
        form(VerbForm::Imperative) = Cut(stem, 1, u"e");

    if (isKir() || isShir())
        form(VerbForm::Conditional) = stem.substr(0, 1) + u"ureba";
    else
        form(VerbForm::Conditional) = Cut(stem, 1, u"eba");

    if (isKir())
        form(VerbForm::Volitional) = u"koyou";
    else if (isShir())
        form(VerbForm::Volitional) = u"shiyou";
    else if (EndsInIruOrEru(stem))
        form(VerbForm::Volitional) = Cut(stem, 2, u"you");
    else
        form(VerbForm::Volitional) = Cut(stem, 1, u"ou");

    if (EndsInIruOrEru(stem)) {
        form(VerbForm::Nai) = Cut(stem, 2, u"nai");
    } else if (vowelEnding) {
        form(VerbForm::Nai) = Cut(stem, 1, u"wanai");
        stem = Cut(stem, 1, u"wu");
    } else if (isKir()) {
        form(VerbForm::Nai) = u"konai";
    } else if (isShir()) {
        form(VerbForm::Nai) = u"shinai";
    } else {
        form(VerbForm::Nai) = Cut(stem, 1, u"anai");
    }

    if (isKir())
        form(VerbForm::Passive) = u"korareru";
    else if (isShir())
        form(VerbForm::Passive) = u"sareru";
    else
        form(VerbForm::Passive) = Cut(stem, 1, u"areru");

    if (isKir())
        form(VerbForm::Causative) = u"kosaseru";
    else if (isShir())
        form(VerbForm::Causative) = u"saseru";
    else if (EndsInIruOrEru(stem))
        form(VerbForm::Causative) = Cut(stem, 2, u"saseru");
    else
        form(VerbForm::Causative) = Cut(stem, 1, u"aseru");

    for (const WordFix &fix : WordFixes) {
        if (word == fix.word)
            form(fix.form) = fix.result;
    }
    return forms;
}

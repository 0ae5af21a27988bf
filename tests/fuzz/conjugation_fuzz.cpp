#include "conjugation/conjugation.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>

namespace {

// A second, deliberately plain statement of the input preparation, so the fuzzer does not just
// compare the engine with itself.
std::u16string PreparedWord(std::u16string_view text)
{
    auto isSpace = [](char16_t unit) {
        return unit == 0x20 || unit == 0x09 || unit == 0x3000;
    };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    std::u16string word;
    for (std::size_t i = begin; i < end; ++i) {
        char16_t unit = text[i];
        if (unit >= 0x41 && unit <= 0x5A)
            unit = static_cast<char16_t>(unit - 0x41 + 0x61);
        else if (unit >= 0xFF21 && unit <= 0xFF3A)
            unit = static_cast<char16_t>(unit - 0xFF21 + 0xFF41);
        word.push_back(unit);
    }
    return word;
}

// The three whole words whose letter-rule forms are replaced, and their replacements.
struct Fixed
{
    std::u16string_view word;
    VerbForm form;
    std::u16string_view result;
};
constexpr Fixed FixedForms[] = {
    {u"iku", VerbForm::Ta, u"itta"},
    {u"iku", VerbForm::Te, u"itte"},
    {u"yuku", VerbForm::Ta, u"yutta"},
    {u"yuku", VerbForm::Te, u"yutte"},
    {u"aru", VerbForm::Nai, u"nai"},
};

bool IsHigh(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::size_t LoneSurrogates(std::u16string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1]))
            ++i;
        else if (IsHigh(text[i]) || IsLow(text[i]))
            ++count;
    }
    return count;
}

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

static_assert(std::tuple_size_v<VerbForms> == 10, "ConjugateVerb must give exactly ten results");

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::u16string text(size / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), data, text.size() * sizeof(char16_t));

    const VerbForms forms = ConjugateVerb(text);
    const std::u16string word = PreparedWord(text);
    Require(forms[FormIndex(VerbForm::Dictionary)] == word);
    Require(ConjugateVerb(text) == forms);

    for (const Fixed &fixed : FixedForms) {
        if (word == fixed.word)
            Require(forms[FormIndex(fixed.form)] == fixed.result);
    }
    // No letter rule yields a bare "nai" (each keeps part of the stem or a longer ending), so it
    // comes from "aru" alone.
    Require((forms[FormIndex(VerbForm::Nai)] == u"nai") == (word == u"aru"));

    // Every cut keeps whole characters, so a result can hold no surrogate the word had paired.
    const std::size_t loneInWord = LoneSurrogates(word);
    const bool wordEndsHigh = !word.empty() && IsHigh(word.back());
    for (const std::u16string &result : forms) {
        Require(LoneSurrogates(result) <= loneInWord);
        Require(result.empty() || !IsHigh(result.back()) || wordEndsHigh);
    }
    return 0;
}

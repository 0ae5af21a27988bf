#include "data/dictionary.h"

#include "data/text.h"

#include <algorithm>
#include <string>

namespace Module1 {

namespace {

    bool foldedEqual(std::u16string_view value, std::u16string_view foldedKey)
    {
        value = text::trimmed(value);
        return std::equal(value.begin(), value.end(), foldedKey.begin(), foldedKey.end(),
            [](char16_t a, char16_t b) { return text::toLowerLatin(a) == b; });
    }

    // Full-width forms of the characters a number is written with, as an input method for
    // Japanese types them.
    char16_t narrowed(char16_t c)
    {
        return c >= u'\uFF01' && c <= u'\uFF5E' ? static_cast<char16_t>(c - 0xFEE0) : c;
    }

    // A decimal answer as its integer part and how its fraction compares with one half: exact,
    // whatever the number of digits, and the same in every locale.
    struct Decimal
    {
        bool negative = false;
        long whole = 0;
        enum class Fraction { None, BelowHalf, Half, AboveHalf } fraction = Fraction::None;
    };

    // Larger wholes name no record, whatever is added or rounded.
    constexpr long LargestWhole = 1'000'000;

    std::optional<Decimal> decimalNumber(std::u16string_view answer)
    {
        const std::u16string_view s = text::trimmed(answer);
        Decimal number;
        bool digits = false;
        bool point = false;
        std::u16string fraction;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const char16_t c = narrowed(s[i]);
            if ((c == u'+' || c == u'-') && i == 0) {
                number.negative = c == u'-';
            } else if (c >= u'0' && c <= u'9') {
                digits = true;
                if (point) {
                    fraction += c;
                } else {
                    // Held just past the largest, so that no run of digits overflows it.
                    number.whole = std::min(number.whole * 10 + (c - u'0'), LargestWhole + 1);
                }
            } else if (c == u'.' && !point) {
                point = true;
            } else {
                return std::nullopt;
            }
        }
        if (!digits || number.whole > LargestWhole)
            return std::nullopt;
        while (!fraction.empty() && fraction.back() == u'0')
            fraction.pop_back();
        using Fraction = Decimal::Fraction;
        if (fraction.empty())
            number.fraction = Fraction::None;
        else if (fraction == u"5")
            number.fraction = Fraction::Half;
        else
            number.fraction = fraction.front() >= u'5' ? Fraction::AboveHalf : Fraction::BelowHalf;
        return number;
    }

    // number + offset, rounded to the nearest integer, halves to the even one.
    long roundedSum(const Decimal &number, long offset)
    {
        using Fraction = Decimal::Fraction;
        const long truncated = (number.negative ? -number.whole : number.whole) + offset;
        const long away = number.negative ? truncated - 1 : truncated + 1;
        switch (number.fraction) {
        case Fraction::None:
        case Fraction::BelowHalf:
            return truncated;
        case Fraction::Half:
            return truncated % 2 == 0 ? truncated : away;
        case Fraction::AboveHalf:
            break;
        }
        return away;
    }

} // namespace

std::int16_t FindRecord(const Table &table, std::int16_t recordCount, std::size_t column,
    std::u16string_view key, Match match)
{
    const std::u16string foldedKey = match == Match::Folded ? text::folded(key) : std::u16string();
    const auto lastRow
        = std::min<std::size_t>(std::max<std::int16_t>(recordCount, 0), TableRows - 1);
    for (std::size_t row = 1; row <= lastRow; ++row) {
        const std::u16string &value = table[row][column];
        if (match == Match::Folded ? foldedEqual(value, foldedKey) : value == key)
            return static_cast<std::int16_t>(row);
    }
    return 0;
}

std::optional<std::int16_t> RecordFromAnswer(
    std::u16string_view answer, BrowseEnd end, std::int16_t recordCount)
{
    const std::optional<Decimal> number = decimalNumber(answer);
    if (!number)
        return std::nullopt;
    // Add first, then round: 10.5 at the first record stores 12 (11.5 to even), naming 11.
    const long stored = roundedSum(*number, end == BrowseEnd::First ? 1 : 0);
    const long named = end == BrowseEnd::First ? stored - 1 : stored;
    if (!(named >= 1 && named <= recordCount))
        return std::nullopt;
    return static_cast<std::int16_t>(stored);
}

CellSplit SplitIntoCells(std::u16string_view text, std::size_t cellLimit)
{
    CellSplit split {text::characters(text)};
    if (split.cells.size() > cellLimit) {
        split.cells.resize(cellLimit);
        split.cut = true;
    }
    return split;
}

} // namespace Module1

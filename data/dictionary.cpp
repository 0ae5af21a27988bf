#include "data/dictionary.h"

#include "data/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace Module1 {

namespace {

    bool foldedEqual(std::u16string_view value, std::u16string_view foldedKey)
    {
        value = text::trimmed(value);
        return std::ranges::equal(
            value, foldedKey, [](char16_t a, char16_t b) { return text::toLowerLatin(a) == b; });
    }

    // Full-width forms of the characters a number is written with, as an input method for
    // Japanese types them.
    char16_t narrowed(char16_t c)
    {
        return c >= u'\uFF01' && c <= u'\uFF5E' ? static_cast<char16_t>(c - 0xFEE0) : c;
    }

    std::optional<double> decimalNumber(std::u16string_view answer)
    {
        const std::u16string_view s = text::trimmed(answer);
        std::string ascii;
        ascii.reserve(s.size());
        bool negative = false;
        bool digits = false;
        bool point = false;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const char16_t c = narrowed(s[i]);
            if ((c == u'+' || c == u'-') && i == 0) {
                negative = c == u'-';
            } else if (c >= u'0' && c <= u'9') {
                ascii += static_cast<char>(c);
                digits = true;
            } else if (c == u'.' && !point) {
                ascii += '.';
                point = true;
            } else {
                return std::nullopt;
            }
        }
        if (!digits)
            return std::nullopt;
        double value = 0;
        const auto [end, error] = std::from_chars(
            ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
        if (error != std::errc() || end != ascii.data() + ascii.size())
            return std::nullopt; // out of range: far beyond any record
        return negative ? -value : value;
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
    const std::optional<double> number = decimalNumber(answer);
    if (!number)
        return std::nullopt;
    // Add first, then round: 10.5 at the first record stores 12 (11.5 to even), naming 11.
    const double stored = std::nearbyint(end == BrowseEnd::First ? *number + 1 : *number);
    const double named = end == BrowseEnd::First ? stored - 1 : stored;
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

#pragma once

// Text handling shared by the dictionary search, the kanji reader and the verb conjugator.
// Standard C++ only, header only, so the Qt-free engine can use it without linking anything.

#include <charconv>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Space, tab and the ideographic space a Japanese input method produces.
constexpr bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

constexpr std::u16string_view trimmed(std::u16string_view s)
{
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// Only the space character, as the sound check trims a reading.
constexpr std::u16string_view trimmedSpaces(std::u16string_view s)
{
    const auto first = s.find_first_not_of(u' ');
    if (first == s.npos)
        return {};
    return s.substr(first, s.find_last_not_of(u' ') - first + 1);
}

// Lower-cases Latin letters, ASCII and full-width; everything else is left as it is.
constexpr char16_t toLowerLatin(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= u'\uFF21' && c <= u'\uFF3A'))
        return static_cast<char16_t>(c + 0x20);
    return c;
}

inline std::u16string lowerLatin(std::u16string_view s)
{
    std::u16string result(s);
    for (char16_t &c : result)
        c = toLowerLatin(c);
    return result;
}

// The search key of a typed word or a table value: trimmed, then lower-cased.
inline std::u16string folded(std::u16string_view s)
{
    return lowerLatin(trimmed(s));
}

constexpr bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

constexpr bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Splits text into characters: a surrogate pair is one character, anything else one code unit.
inline std::vector<std::u16string_view> characters(std::u16string_view s)
{
    std::vector<std::u16string_view> result;
    for (std::size_t i = 0; i < s.size();) {
        const bool pair = isHighSurrogate(s[i]) && i + 1 < s.size() && isLowSurrogate(s[i + 1]);
        result.push_back(s.substr(i, pair ? 2 : 1));
        i += pair ? 2 : 1;
    }
    return result;
}

// A number in decimal digits, as messages show it, whatever the locale.
inline std::u16string decimal(int value)
{
    char digits[12];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    return {std::begin(digits), end};
}

} // namespace text

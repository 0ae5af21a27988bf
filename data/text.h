#pragma once

// Text folding shared by the word search and the verb conjugator. Standard C++ only.

#include <string>
#include <string_view>

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

} // namespace text

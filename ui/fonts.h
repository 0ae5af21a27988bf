#pragma once

// Every face, size and substitute the windows use. The layouts name Windows faces; fontconfig
// knows none of them, so each is mapped to installed faces measured on these layouts.

#include <array>
#include <string_view>

namespace ui {

enum class Font { Default, Value, Kanji, Title, Heading, SmallHeading };

struct FontFace
{
    std::u16string_view family;
    double points;
    bool bold = false;
};

inline constexpr std::u16string_view JapaneseGothic = u"ＭＳ Ｐゴシック";

// The faces of the layouts' fonts; Font::Default is the UI font below.
constexpr FontFace faceOf(Font font)
{
    switch (font) {
    case Font::Value:
        return {JapaneseGothic, 12};
    case Font::Kanji:
        return {JapaneseGothic, 24};
    case Font::Title:
        return {u"Tahoma", 20.25, true};
    case Font::Heading:
        return {u"Lucida Sans Unicode", 12};
    case Font::SmallHeading:
        return {u"Lucida Sans Unicode", 9.75};
    case Font::Default:
        break;
    }
    // The layouts were drawn for a small UI font. At 8 pt the descenders of two-line captions
    // ("Enter the verb in romaji:") lose a pixel row at scale factors 1.5 and 2; 7.8 pt keeps
    // every caption whole at 1, 1.5 and 2.
    return {u"DejaVu Sans Condensed", 7.8};
}

struct Substitution
{
    std::u16string_view face;
    std::array<std::u16string_view, 6> installed; // in order of preference; empty ends it
};

// IPAPGothic is proportional like the face it stands for; DejaVu Sans Condensed Bold keeps the
// title on one line. Windows without its Japanese supplemental fonts lacks MS PGothic but has
// Meiryo or Yu Gothic UI; it has no DejaVu face, and Tahoma is its narrow UI face.
inline constexpr Substitution Substitutions[] = {
    {JapaneseGothic,
        {u"MS PGothic", u"Meiryo", u"Yu Gothic UI", u"IPAPGothic", u"IPAGothic",
            u"Noto Sans CJK JP"}},
    {u"MS PGothic", {u"Meiryo", u"Yu Gothic UI", u"IPAPGothic", u"IPAGothic", u"Noto Sans CJK JP"}},
    {u"Tahoma", {u"DejaVu Sans Condensed", u"DejaVu Sans"}},
    {u"Lucida Sans Unicode", {u"DejaVu Sans"}},
    {u"DejaVu Sans Condensed", {u"Tahoma"}},
};

} // namespace ui

#pragma once

// The verb conjugator: ten forms of a verb typed in romaji, made by cutting letters off a stem
// and appending fixed endings. Standard C++ only.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

enum class VerbForm {
    Dictionary,
    Masu,
    Ta,
    Te,
    Imperative,
    Conditional,
    Volitional,
    Nai,
    Passive,
    Causative,
};

constexpr std::size_t VerbFormCount = 10;

using VerbForms = std::array<std::u16string, VerbFormCount>;

constexpr std::size_t FormIndex(VerbForm form)
{
    return static_cast<std::size_t>(form);
}

// Any text gives ten results, verb or not. Space, tab and U+3000 are trimmed at both ends and
// Latin capitals (ASCII and full-width) lowered. A form whose cut is longer than the stem is
// empty. A character outside the BMP counts as one character, so no cut splits a surrogate pair.
// The whole words "iku" and "yuku" take "itta"/"itte" and "yutta"/"yutte", and "aru" the nai
// form "nai", where the letter rules give forms no learner should see.
VerbForms ConjugateVerb(std::u16string_view text);

#pragma once

// The rules over the loaded table that both windows use: finding a record, reading a record
// number typed at a browsing prompt, and spreading a text over the reader's cells. Standard C++
// only.

#include "data/kanji_table.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace Module1 {

enum class Match {
    Exact, // code unit by code unit, as the reader compares a kanji
    Folded, // both sides trimmed and lower-cased, as the word search compares
};

// The first of rows 1 to recordCount whose `column` equals `key`, or 0 when none does.
std::int16_t FindRecord(const Table &table, std::int16_t recordCount, std::size_t column,
    std::u16string_view key, Match match);

// The two browsing prompts: at the last record the answer is stored as it is, at the first the
// answer plus one is stored, so that the next step shows the record entered.
enum class BrowseEnd { Last, First };

// The value of CurrentRecord that an answer to a browsing prompt gives, or nothing when the
// answer is refused: it is no number, or the record it names lies outside 1 to recordCount.
// A number is surrounding spaces, an optional sign, decimal digits with an optional fraction;
// full-width digits count, a decimal comma does not, and the locale plays no part.
std::optional<std::int16_t> RecordFromAnswer(
    std::u16string_view answer, BrowseEnd end, std::int16_t recordCount);

// A text spread over at most cellLimit cells, one character each (a surrogate pair is one).
struct CellSplit
{
    std::vector<std::u16string_view> cells;
    bool cut = false; // the text had more characters than cells
};
CellSplit SplitIntoCells(std::u16string_view text, std::size_t cellLimit);

} // namespace Module1

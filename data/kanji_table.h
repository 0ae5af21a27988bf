#pragma once

// The shared dictionary table and its record-string parser. Standard C++ only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace Module1 {

inline constexpr std::size_t TableRows = 2401; // rows 0 to 2400; row N holds record N
inline constexpr std::size_t TableColumns = 9; // columns 0 to 8; column 0 is never used

using Row = std::array<std::u16string, TableColumns>;
using Table = std::array<Row, TableRows>;

// Column indices of a parsed record.
namespace Col {
    enum : std::size_t {
        Number = 1,
        Kanji,
        Kunyomi,
        Onyomi,
        English,
        Indonesian,
        Example,
        Level,
    };
}

// Every loop over the records runs from row 1 to RecordCount inclusive.
extern Table KanjiTable;
extern std::int16_t RecordCount;

// Splits the record string held in column 8 of rows 1 to recordCount into columns 1 to 8.
// Fields are taken as they stand (no trimming, no conversion). A string with fewer than eight
// fields leaves the later columns as they were; a ninth and later field is dropped.
void ParseRecords(Table &table, std::int16_t recordCount);

// Places the built-in record strings in column 8, sets the count and parses them.
void LoadBuiltinRecords(Table &table, std::int16_t &recordCount);

} // namespace Module1

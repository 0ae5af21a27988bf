#pragma once

// The built-in records, loaded once per test program the way the dictionary window loads them.

#include "data/kanji_table.h"

#include <string_view>

struct LoadedRecords
{
    LoadedRecords() { Module1::LoadBuiltinRecords(table, count); }

    const Module1::Row &row(int n) const { return table[static_cast<std::size_t>(n)]; }
    std::u16string_view field(int n, std::size_t column) const { return row(n)[column]; }

    Module1::Table table;
    std::int16_t count = 0;
};

inline const LoadedRecords &loadedRecords()
{
    static const LoadedRecords records;
    return records;
}

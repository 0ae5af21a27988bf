#include "data/kanji_table.h"

#include "data/builtin_records.h"

#include <algorithm>

namespace Module1 {

Table KanjiTable;
std::int16_t RecordCount = 0;

void ParseRecords(Table &table, std::int16_t recordCount)
{
    const auto lastRow = std::min<std::size_t>(recordCount > 0 ? recordCount : 0, TableRows - 1);
    for (std::size_t row = 1; row <= lastRow; ++row) {
        Row &fields = table[row];
        // Copied because column 8 is both the source and the target of the last field.
        const std::u16string record = fields[Col::Level];
        std::u16string buffer;
        std::size_t column = 1;
        auto store = [&] {
            if (column < TableColumns)
                fields[column] = std::move(buffer);
            buffer.clear();
            ++column;
        };
        for (char16_t unit : record) {
            if (unit == u',')
                store();
            else
                buffer.push_back(unit);
        }
        store();
    }
}

void LoadBuiltinRecords(Table &table, std::int16_t &recordCount)
{
    for (std::size_t n = 1; n <= BuiltinRecords.size(); ++n)
        table[n][Col::Level] = BuiltinRecords[n - 1];
    recordCount = static_cast<std::int16_t>(BuiltinRecords.size());
    ParseRecords(table, recordCount);
}

} // namespace Module1

#pragma once

#include <array>
#include <string_view>

namespace Module1 {

// The 320 built-in record strings; element N - 1 is record N.
extern const std::array<std::u16string_view, 320> BuiltinRecords;

} // namespace Module1

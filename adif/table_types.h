// The rows of the tables in adif/tables.h, which scripts/make-adif-tables generates from the data files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace t2c::adif {

struct Band {
    std::string_view name;            // as ADIF writes it, in lower case
    std::int64_t lower_hz, upper_hz;  // inclusive
};

// ADIF's modes and submodes, less the import-only values no writer may write.
struct ModeName {
    std::string_view value;
    std::string_view mode;  // the mode a submode belongs to; empty for a mode
};

// The code pages of HIGH_BYTES' columns.
enum CodePage : std::size_t { CP437, CP850, CP1252 };

}  // namespace t2c::adif

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

// An entity and one period of the contacts that count for it: from `from` to `to`
// (YYYYMMDD, inclusive, compared as numbers). An entity of two periods has two rows.
struct Entity {
    int code;
    std::string_view name;    // ADIF's name
    std::string_view prefix;  // of the DXCC name lists: it relates an entity to those before and after it
    int from, to;             // NO_LIMIT_FROM and NO_LIMIT_TO where there is no limit
};

struct Spelling {
    std::string_view name;  // upper case, as dxcc.txt spells it
    int code;
};

constexpr int NO_LIMIT_FROM = 0, NO_LIMIT_TO = 99999999;

// The code pages of HIGH_BYTES' columns.
enum CodePage : std::size_t { CP437, CP850, CP1252 };

}  // namespace t2c::adif

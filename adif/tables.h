// The facts the ADIF writer maps a log by, generated from the data files into tables.cpp by
// scripts/make-adif-tables.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace t2c::adif {

struct Band {
    std::string_view name;  // as ADIF writes it, in lower case
    double lower_mhz, upper_mhz;  // inclusive
};

// ADIF's modes and submodes, less the import-only values no writer may write.
struct ModeName {
    std::string_view value;
    std::string_view mode;  // the mode a submode belongs to; empty for a mode
};

struct Entity {
    int code;
    std::string_view name;    // ADIF's name
    std::string_view prefix;  // the prefix of the DXCC name lists, which relates an entity to those before and after it
};

// Contacts count for the entity from `from` to `to` (YYYYMMDD, inclusive, compared as numbers).
struct Period {
    int code;
    int from, to;  // 0 and 99999999 where there is no limit
};

struct Spelling {
    std::string_view name;  // upper case, as dxcc.txt spells it
    int code;
};

constexpr int NO_LIMIT_FROM = 0, NO_LIMIT_TO = 99999999;

extern const std::span<const Band> BANDS;
extern const std::span<const ModeName> MODES;
extern const std::span<const Entity> ENTITIES;       // by code
extern const std::span<const Period> PERIODS;        // by code
extern const std::span<const Spelling> SPELLINGS;    // by name, then code

// The ASCII spelling of bytes 0x80-0xFF, in code pages 437, 850 and 1252.
enum CodePage : std::size_t { CP437, CP850, CP1252 };
extern const std::array<std::array<std::string_view, 3>, 128> HIGH_BYTES;

}  // namespace t2c::adif

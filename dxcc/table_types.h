// The rows of the tables in dxcc/tables.h, which scripts/make-adif-tables generates from the data files.
#pragma once

#include <string_view>

namespace t2c {

// An entity and one period of the contacts that count for it: from `from` to `to`
// (YYYYMMDD, inclusive, compared as numbers). An entity of two periods has two rows.
struct Entity {
    int code;
    std::string_view name;       // ADIF's name
    std::string_view list_name;  // the latest DXCC list's name, for people to read
    std::string_view prefix;     // of the DXCC name lists: it relates an entity to those before and after it
    int from, to;                // NO_LIMIT_FROM and NO_LIMIT_TO where there is no limit
};

struct Spelling {
    std::string_view name;  // upper case, as dxcc.txt spells it
    int code;
};

// A name older logs use that the DXCC lists do not, naming the entity on the dates from..to;
// a name that covers several entities has a row for each.
struct OldName {
    std::string_view name;  // upper case
    int code;
    int from, to;
};

// A beginning of callsigns that the entity gave out from..to.
struct CallStart {
    std::string_view start;
    std::string_view digits;  // the call-area digits that may follow the start; any when empty
    std::string_view after;   // what the text after the call-area digit must begin with
    std::string_view ends;    // what the whole call must end with ("/A")
    int code;
    int from, to;
};

constexpr int NO_LIMIT_FROM = 0, NO_LIMIT_TO = 99999999;

}  // namespace t2c

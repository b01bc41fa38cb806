// The converted contact: its texts as the import line takes them, and what the conversion
// carried otherwise than the log holds it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "dbf/record_layout.h"

namespace t2c {

// The ways the import line can carry a contact otherwise than the log holds it.
enum Change : std::size_t {
    TIME_NOT_HH_MM,
    ODD_DATE,          // a year not of 4 digits, a day not of 2 or not in its month
    CUT_AT_BLANK,      // a text cut at a blank, or emptied by a leading one
    NO_CALL,
    EMPTIED,           // the name or the place emptied by leading blanks
    PLACE_CUT,         // the place cut at two blanks in a row
    BAND_NOT_METRES,   // a band that is no number of metres once cut at 'm'
    EMPTY_PREFIX,
    CHANGE_KINDS,
};

// A change as the conversion found it: in which field first, the field's text as the log holds
// it without its end padding, and what the import line carries of it.
struct Changed {
    const LogField* field = nullptr;  // none: no such change
    std::string_view from, to;
};

// The views point into the record converted (or, for the prefix, into the country table and for
// the month name into MONTH_NAMES): the record is read on until the line is written. The
// strings are reused from record to record, so no record costs an allocation.
struct ImportRecord {
    std::string_view year, day;
    std::string time;  // 'HH:MM' and ':SS', the seconds stamp
    std::string_view month_name;
    std::string_view band, frequency, mode, call, report_sent, report_received;
    char qsl_status = '\0';  // 'S', 'R', 'X', or zero for none
    std::string comment;
    std::string_view prefix;  // the country list's prefix, or "??"
    std::string_view code2, code6;
    std::array<Changed, CHANGE_KINDS> changes;  // of an accepted contact, each kind in the first field that has it
    bool changed = false;                       // whether changes holds any
};

constexpr std::array<std::string_view, 13> MONTH_NAMES = {
    "", "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

}  // namespace t2c

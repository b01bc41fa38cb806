// The converted contact: its texts as the import line takes them.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace t2c {

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
};

constexpr std::array<std::string_view, 13> MONTH_NAMES = {
    "", "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

}  // namespace t2c

// The converted contact: short terminated text fields, each with room for its terminator.
// Value-initialised once, then reused from record to record: see convert_record.
#pragma once

#include <array>
#include <string_view>

namespace t2c {

struct ImportRecord {
    char year[4 + 1];
    char month_text[2 + 1];
    char day[2 + 1];
    char time[8 + 1];  // 'HH:MM' and ':SS' of the seconds stamp
    int month;
    char month_name[3 + 1];
    char band[4 + 1];
    char frequency[8 + 1];
    char mode[6 + 1];
    char call[15 + 1];
    char report_sent[3 + 1];
    char report_received[3 + 1];
    char qsl_status;  // 'S', 'R', 'X', or zero for none
    char comment[60 + 1];
    char manager[12 + 1];
    std::string_view prefix;  // the country list's prefix (kept whole, however long), or "??"
    char code2[2 + 1];
    char code6[6 + 1];
};

constexpr std::array<const char*, 13> MONTH_NAMES = {
    "", "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

}  // namespace t2c

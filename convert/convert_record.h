// Checks one contact record and derives its import fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "convert/import_record.h"
#include "country/country_table.h"

namespace t2c {

enum class Verdict { accepted, deleted, rejected };

// What became of a record: the one value every writer of the package gives for each.
struct ConvertResult {
    Verdict verdict;
    std::string reason = {};  // of a rejected record, as its report words it: "invalid day [32]"
};

// The checks of convert_record alone: the deletion flag, the date and the start time, stamped
// with its seconds; out gets the call, year, day, month name and time, all a report needs.
ConvertResult check_record(std::string_view record, int& seconds_counter, ImportRecord& out);

// record is one record of the log, of any length. An accepted record has every field of out
// written, its changes too; out may hold an earlier record's. seconds_counter (0 at the start of
// a run, always 0 to 59) stamps each start time with seconds that step by one per stamped record
// and wrap at 60, so that contacts logged in the same minute stay apart. A deleted record ('*'
// flag) is passed over without touching anything. A rejected record leaves out partly filled,
// with the call always taken, for the report.
ConvertResult convert_record(std::string_view record, const CountryTable& countries, int& seconds_counter,
                             ImportRecord& out);

// The name convert_record looks the record's country up by: the country field up to its first
// zero byte, ended at its first blank that is followed by another or by the end.
std::string_view country_key(std::string_view record);

// The report of a rejected record: what was wrong, that it was excluded, and its call.
std::string rejection_report(std::int64_t record_number, std::string_view reason, std::string_view call);

}  // namespace t2c

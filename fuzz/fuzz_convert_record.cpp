// One record of arbitrary bytes through the conversion and, when accepted, the import line
// writer; a rejected one through its report. The first input byte sets the seconds counter.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "convert/convert_record.h"
#include "convert/import_line.h"
#include "dbf/record_layout.h"
#include "fuzz/fuzz_support.h"

namespace {

using t2c::fuzz::Expected;
using t2c::fuzz::require;

// Prefixes that would break a line if written as they stand, and one longer than seven.
t2c::CountryTable hostile_countries() {
    t2c::CountryTable table;
    t2c::add_country(table, "ITALY", "I");
    t2c::add_country(table, "", "");
    t2c::add_country(table, "SEP", "S\x19P");
    t2c::add_country(table, "CR", "C\rR");
    t2c::add_country(table, "LONG", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return table;
}

std::string report_text(const Expected& expected) {
    const char* what = nullptr;
    switch (expected.kind) {
        case Expected::month: what = "invalid month"; break;
        case Expected::day: what = "invalid day"; break;
        case Expected::hour: what = "invalid hour"; break;
        case Expected::minute: what = "invalid minute"; break;
        default: break;
    }
    char first[64];
    if (what != nullptr) {
        std::snprintf(first, sizeof first, "ERROR: record 7: %s [%d].\n", what, expected.value);
    } else {
        std::snprintf(first, sizeof first, "ERROR: record 7: empty TIME_INI field.\n");
    }
    return std::string(first) + "The record has been excluded from the conversion process.\nCALL: " +
           expected.call + "\n\n";
}

t2c::RejectReason reason_of(Expected::Kind kind) {
    switch (kind) {
        case Expected::month: return t2c::RejectReason::month;
        case Expected::day: return t2c::RejectReason::day;
        case Expected::empty_time: return t2c::RejectReason::empty_time;
        case Expected::hour: return t2c::RejectReason::hour;
        case Expected::minute: return t2c::RejectReason::minute;
        default: return t2c::RejectReason::none;
    }
}

void check_report(const t2c::ConvertResult& result, const t2c::ImportRecord& record, const Expected& expected) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&text, &size);
    require(stream != nullptr, "open_memstream works");
    t2c::write_rejection_report(stream, 7, result, record);
    std::fclose(stream);
    require(std::string(text, size) == report_text(expected), "the report names the fault, value and call");
    std::free(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const t2c::CountryTable countries = hostile_countries();
    if (size == 0) return 0;
    int seconds_counter = data[0] % 60;
    // Shorter records reach the conversion zero-padded, as the record stream delivers them.
    std::string record(reinterpret_cast<const char*>(data + 1), size - 1);
    if (record.size() < t2c::FIELDS_END) record.resize(t2c::FIELDS_END, '\0');

    int expected_seconds = seconds_counter;
    const Expected expected = t2c::fuzz::expect_conversion(record, expected_seconds);

    t2c::ImportRecord import_record{};
    const t2c::ConvertResult result = t2c::convert_record(record, countries, seconds_counter, import_record);
    require(seconds_counter == expected_seconds, "the seconds counter moves only for stamped records");
    require(t2c::stamps_seconds(record) == (seconds_counter != data[0] % 60),
            "stamps_seconds tells which records move the seconds counter");

    switch (expected.kind) {
        case Expected::deleted:
            require(result.verdict == t2c::Verdict::deleted, "a '*' record is deleted");
            break;
        case Expected::accepted: {
            require(result.verdict == t2c::Verdict::accepted, "a record with a valid date and time is converted");
            std::string line;
            t2c::write_import_line(import_record, line);
            require(t2c::fuzz::check_import_lines(line) == 1, "one record gives one line");
            require(t2c::fuzz::import_field(line, 1) == t2c::fuzz::as_written(expected.call), "the call is field 2");
            const std::string_view stamp = t2c::fuzz::import_field(line, 0);
            require(stamp.size() >= expected.time.size() &&
                        stamp.substr(stamp.size() - expected.time.size()) == t2c::fuzz::as_written(expected.time),
                    "field 1 ends in the stamped time");
            break;
        }
        default:
            require(result.verdict == t2c::Verdict::rejected, "an invalid date or time is rejected");
            require(result.reason == reason_of(expected.kind), "the rejection names the right field");
            require(result.value == expected.value, "the rejection shows the value read");
            check_report(result, import_record, expected);
            break;
    }
    return 0;
}

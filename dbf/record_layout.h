// The Tarnwick logbook's record layout: its fields as the file's descriptors name them, and
// where the fields the conversion reads stand, counted from the deletion flag at byte 0.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace t2c {

// A field as a dBASE file describes it; the type is 'C' for characters, 'D' for a date.
struct LogField {
    std::string_view name;
    char type;
    std::size_t width;
};

// The logbook's fields in file order, right behind the deletion flag.
constexpr std::array<LogField, 21> LOG_FIELDS = {{
    {"DATE", 'D', 8},      {"TIME_INI", 'C', 5},  {"TIME_END", 'C', 5},  {"BAND", 'C', 4},
    {"FREQ", 'C', 8},      {"MODE", 'C', 6},      {"CALL", 'C', 15},     {"RST_SENT", 'C', 3},
    {"RST_RCVD", 'C', 3},  {"NAME", 'C', 15},     {"QTH", 'C', 20},      {"REMARKS", 'C', 21},
    {"QSL_SENT", 'C', 1},  {"QSL_RCVD", 'C', 1},  {"QSL_DATE", 'C', 10}, {"QSL_MGR", 'C', 12},
    {"SPARE", 'C', 2},     {"COUNTRY", 'C', 40},  {"CODE2", 'C', 2},     {"OTHER", 'C', 21},
    {"CODE6", 'C', 6},
}};

struct FieldSpan {
    std::size_t offset;
    std::size_t width;

    friend constexpr bool operator==(const FieldSpan&, const FieldSpan&) = default;
};

// Where the layout's field of that name stands in a record. A name the layout lacks stops
// the compilation, where this is evaluated for a constant.
constexpr FieldSpan log_field_span(std::string_view name) {
    std::size_t offset = 1;
    for (const LogField& field : LOG_FIELDS) {
        if (field.name == name) return {offset, field.width};
        offset += field.width;
    }
    throw "no such field in the logbook's layout";
}

constexpr FieldSpan DELETION_FLAG{0, 1};
constexpr FieldSpan DATE = log_field_span("DATE");
constexpr FieldSpan DATE_YEAR{DATE.offset, 4};
constexpr FieldSpan DATE_MONTH{DATE.offset + 4, 2};
constexpr FieldSpan DATE_DAY{DATE.offset + 6, 2};
constexpr FieldSpan TIME_INI = log_field_span("TIME_INI");
constexpr FieldSpan BAND = log_field_span("BAND");
constexpr FieldSpan FREQUENCY = log_field_span("FREQ");
constexpr FieldSpan MODE = log_field_span("MODE");
constexpr FieldSpan CALL = log_field_span("CALL");
constexpr FieldSpan REPORT_SENT = log_field_span("RST_SENT");
constexpr FieldSpan REPORT_RECEIVED = log_field_span("RST_RCVD");
constexpr FieldSpan NAME = log_field_span("NAME");
constexpr FieldSpan PLACE = log_field_span("QTH");
constexpr FieldSpan QSL_SENT = log_field_span("QSL_SENT");
constexpr FieldSpan QSL_RECEIVED = log_field_span("QSL_RCVD");
constexpr FieldSpan MANAGER = log_field_span("QSL_MGR");
constexpr FieldSpan COUNTRY = log_field_span("COUNTRY");
constexpr FieldSpan CODE2 = log_field_span("CODE2");
constexpr FieldSpan CODE6 = log_field_span("CODE6");
static_assert(DATE.width == 8 && CALL == FieldSpan{37, 15} && COUNTRY == FieldSpan{140, 40} &&
                  CODE6 == FieldSpan{203, 6},
              "the offsets the README and the manual page give");

// The length of the logbook's records, the deletion flag included; every field read lies
// below it.
constexpr std::size_t FIELDS_END = [] {
    std::size_t length = 1;
    for (const LogField& field : LOG_FIELDS) length += field.width;
    return length;
}();
static_assert(FIELDS_END == 209 && CODE6.offset + CODE6.width == FIELDS_END);

// The field's bytes in a record of any length: a record shorter than FIELDS_END reads as if
// zero bytes followed it, and a zero byte ends every text, so what lies beyond it is just not
// there.
inline std::string_view field(std::string_view record, FieldSpan span) {
    return span.offset < record.size() ? record.substr(span.offset, span.width) : std::string_view();
}

}  // namespace t2c

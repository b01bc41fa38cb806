// The Tarnwick logbook's record layout, the one table of the log's fields: where each stands,
// the name the header gives it, and what each program makes of it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "text/field.h"

namespace t2c {

// How the converter takes a field's text, up to its first zero byte in every case.
enum class Take {
    unread,
    whole,
    word,         // up to its first blank
    metres,       // up to its first 'm'
    double_blank, // up to its first blank that is followed by another or by the end
    flag,
};

struct FieldSpan {
    std::size_t offset;  // counted from the deletion flag at byte 0
    std::size_t width;

    friend constexpr bool operator==(const FieldSpan&, const FieldSpan&) = default;
};

struct LogField {
    std::string_view name;  // as the logbook's header names it
    char type;              // 'C' for characters, 'D' for a date
    std::size_t width;
    Take take;
    std::string_view what;  // the field in the check's words; empty where the converter reads nothing
    std::string_view into;  // the part of the import line that carries it, where that is not the field itself
    // Its ADIF field, or the two it may go to; empty where an application field keeps it. A
    // field the converter leaves unread is taken by what it holds, and only where the log's
    // header has a field of exactly its offset and width: logs name their fields differently.
    std::string_view adif;
    std::size_t offset = 0;  // worked out below from the widths before it

    constexpr FieldSpan span() const { return {offset, width}; }
};

// The logbook's fields in file order, right behind the deletion flag; each offset is 1 plus
// the widths of the fields before it.
inline constexpr std::array<LogField, 21> LOG_FIELDS = [] {
    std::array<LogField, 21> fields = {{
        {"DATE", 'D', 8, Take::whole, "date", "", "QSO_DATE"},
        {"TIME_INI", 'C', 5, Take::word, "start time", "", "TIME_ON"},
        {"TIME_END", 'C', 5, Take::unread, "", "", "TIME_OFF"},
        {"BAND", 'C', 4, Take::metres, "band", "", "BAND"},
        {"FREQ", 'C', 8, Take::word, "frequency", "", "FREQ"},
        {"MODE", 'C', 6, Take::word, "mode", "", "MODE"},
        {"CALL", 'C', 15, Take::word, "callsign", "", "CALL"},
        {"RST_SENT", 'C', 3, Take::word, "report sent", "", "RST_SENT"},
        {"RST_RCVD", 'C', 3, Take::word, "report received", "", "RST_RCVD"},
        {"NAME", 'C', 15, Take::word, "name", "comment ", "NAME"},
        {"QTH", 'C', 20, Take::double_blank, "place", "comment ", "QTH"},
        {"REMARKS", 'C', 21, Take::unread, "", "", "COMMENT"},
        {"QSL_SENT", 'C', 1, Take::flag, "QSL sent flag", "", "QSL_SENT"},
        {"QSL_RCVD", 'C', 1, Take::flag, "QSL received flag", "", "QSL_RCVD"},
        {"QSL_DATE", 'C', 10, Take::unread, "", "", "QSLRDATE or QSLSDATE"},
        {"QSL_MGR", 'C', 12, Take::word, "QSL manager", "comment ", "QSL_VIA"},
        {"SPARE", 'C', 2, Take::unread, "", "", ""},
        {"COUNTRY", 'C', 40, Take::double_blank, "country", "prefix ", "COUNTRY"},
        {"CODE2", 'C', 2, Take::word, "two-character code", "", "CONT"},
        {"OTHER", 'C', 21, Take::unread, "", "", ""},
        {"CODE6", 'C', 6, Take::word, "six-character code", "", "GRIDSQUARE"},
    }};
    std::size_t offset = 1;
    for (LogField& field : fields) {
        field.offset = offset;
        offset += field.width;
    }
    return fields;
}();

// The layout's field of that name. A name the layout lacks stops the compilation, where this
// is evaluated for a constant.
constexpr const LogField& log_field(std::string_view name) {
    for (const LogField& field : LOG_FIELDS) {
        if (field.name == name) return field;
    }
    throw "no such field in the logbook's layout";
}

constexpr FieldSpan DELETION_FLAG{0, 1};
inline constexpr const LogField& DATE = log_field("DATE");
constexpr FieldSpan DATE_YEAR{DATE.offset, 4};
constexpr FieldSpan DATE_MONTH{DATE.offset + 4, 2};
constexpr FieldSpan DATE_DAY{DATE.offset + 6, 2};
inline constexpr const LogField& TIME_INI = log_field("TIME_INI");
inline constexpr const LogField& TIME_END = log_field("TIME_END");
inline constexpr const LogField& BAND = log_field("BAND");
inline constexpr const LogField& FREQUENCY = log_field("FREQ");
inline constexpr const LogField& MODE = log_field("MODE");
inline constexpr const LogField& CALL = log_field("CALL");
inline constexpr const LogField& REPORT_SENT = log_field("RST_SENT");
inline constexpr const LogField& REPORT_RECEIVED = log_field("RST_RCVD");
inline constexpr const LogField& NAME = log_field("NAME");
inline constexpr const LogField& PLACE = log_field("QTH");
inline constexpr const LogField& REMARKS = log_field("REMARKS");
inline constexpr const LogField& QSL_SENT = log_field("QSL_SENT");
inline constexpr const LogField& QSL_RECEIVED = log_field("QSL_RCVD");
inline constexpr const LogField& QSL_DATE = log_field("QSL_DATE");
inline constexpr const LogField& MANAGER = log_field("QSL_MGR");
inline constexpr const LogField& COUNTRY = log_field("COUNTRY");
inline constexpr const LogField& CODE2 = log_field("CODE2");
inline constexpr const LogField& CODE6 = log_field("CODE6");
static_assert(DATE.width == 8 && CALL.span() == FieldSpan{37, 15} && COUNTRY.span() == FieldSpan{140, 40} &&
                  CODE6.span() == FieldSpan{203, 6},
              "the offsets the README and the manual page give");

// The length of the logbook's records, the deletion flag included; every field read lies
// below it.
constexpr std::size_t FIELDS_END = LOG_FIELDS.back().offset + LOG_FIELDS.back().width;
static_assert(FIELDS_END == 209);

// The field's bytes in a record of any length: a record shorter than FIELDS_END reads as if
// zero bytes followed it, and a zero byte ends every text, so what lies beyond it is just not
// there.
inline std::string_view field(std::string_view record, FieldSpan span) {
    return span.offset < record.size() ? record.substr(span.offset, span.width) : std::string_view();
}

// The field's text: its bytes up to the first zero byte, all of them when there is none.
inline std::string_view field_text(std::string_view record, FieldSpan span) {
    const std::string_view bytes = field(record, span);
    return cut_at(bytes, '\0');
}

inline std::string_view field_text(std::string_view record, const LogField& log_field) {
    return field_text(record, log_field.span());
}

}  // namespace t2c

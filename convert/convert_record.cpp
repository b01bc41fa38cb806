#include "convert/convert_record.h"

#include <array>

#include "dbf/record_layout.h"
#include "text/field.h"

namespace t2c {

namespace {

std::string_view text(std::string_view record, FieldSpan span) { return copy_field(field(record, span)); }

// The field's text up to its first c: how most fields are taken.
std::string_view text_to(std::string_view record, FieldSpan span, char c) { return cut_at(text(record, span), c); }

bool qsl_flag_set(std::string_view flag) { return flag == "B" || flag == "D" || flag == "S"; }

char qsl_status(std::string_view record) {
    const bool sent = qsl_flag_set(field(record, QSL_SENT));
    const bool received = qsl_flag_set(field(record, QSL_RECEIVED));
    if (sent) return received ? 'X' : 'S';
    return received ? 'R' : '\0';
}

// Appends ':' and the counter as two digits, then moves the counter on.
void stamp_seconds(std::string& time, int& seconds_counter) {
    time += ':';
    time += static_cast<char>('0' + seconds_counter / 10);
    time += static_cast<char>('0' + seconds_counter % 10);
    seconds_counter = (seconds_counter + 1) % 60;
}

// The first word of the name, a '/' when there is one, the place, all of it ended at its first
// double or trailing blank (which drops the place's padding), and the QSL manager.
void build_comment(std::string_view record, std::string& comment) {
    constexpr std::string_view VIA = "/QSL via ";
    static_assert(NAME.width + 1 + PLACE.width + VIA.size() + MANAGER.width <= 60,
                  "the longest comment fits the import file's 60 characters, so none is ever cut");
    const std::string_view word = text_to(record, NAME, ' ');
    comment.assign(word);
    if (!word.empty()) comment += '/';
    comment += text(record, PLACE);
    comment.resize(cut_at_double(comment, ' ').size());
    const std::string_view manager = text_to(record, MANAGER, ' ');
    if (!manager.empty()) comment.append(VIA).append(manager);
}

ConvertResult reject(RejectReason reason, int value) { return {Verdict::rejected, reason, value}; }

}  // namespace

std::string_view country_key(std::string_view record) { return cut_at_double(text(record, COUNTRY), ' '); }

ConvertResult check_record(std::string_view record, int& seconds_counter, ImportRecord& out) {
    if (field(record, DELETION_FLAG) == "*") return {Verdict::deleted};

    // Taken first: every report ends with the call.
    out.call = text_to(record, CALL, ' ');
    out.year = text(record, DATE_YEAR);

    // A month or day without a number holds none of the allowed values.
    const int month = read_two_digit(text(record, DATE_MONTH)).value_or(0);
    if (month < 1 || month > 12) return reject(RejectReason::month, month);
    out.day = text(record, DATE_DAY);
    const int day = read_two_digit(out.day).value_or(0);
    if (day < 1 || day > 31) return reject(RejectReason::day, day);
    out.month_name = MONTH_NAMES[static_cast<std::size_t>(month)];

    const std::string_view time = text_to(record, TIME_INI, ' ');
    if (time.empty()) return reject(RejectReason::empty_time, 0);
    out.time.assign(time);
    // Stamped before the hour and minute are checked, so a record rejected for them still uses
    // up its seconds value.
    stamp_seconds(out.time, seconds_counter);

    // A short time such as '9:30' or '14' is read at these fixed positions all the same, its
    // seconds stamp standing in for missing minute digits. An hour or minute without a number
    // is no hour or minute.
    const int hour = read_two_digit(std::string_view(out.time).substr(0, 2)).value_or(-1);
    if (hour < 0 || hour > 23) return reject(RejectReason::hour, hour);
    const int minute = read_two_digit(std::string_view(out.time).substr(3, 2)).value_or(-1);
    if (minute < 0 || minute > 59) return reject(RejectReason::minute, minute);
    return {Verdict::accepted};
}

ConvertResult convert_record(std::string_view record, const CountryTable& countries, int& seconds_counter,
                             ImportRecord& out) {
    const ConvertResult checked = check_record(record, seconds_counter, out);
    if (checked.verdict != Verdict::accepted) return checked;
    out.band = text_to(record, BAND, 'm');
    out.frequency = text_to(record, FREQUENCY, ' ');
    out.mode = text_to(record, MODE, ' ');
    out.report_sent = cut_at(text_to(record, REPORT_SENT, ' '), '+');
    out.report_received = cut_at(text_to(record, REPORT_RECEIVED, ' '), '+');
    out.qsl_status = qsl_status(record);
    build_comment(record, out.comment);
    out.code2 = text_to(record, CODE2, ' ');
    if (out.code2.starts_with('*')) out.code2 = {};
    out.prefix = find_country(countries, country_key(record)).value_or("??");
    out.code6 = text_to(record, CODE6, ' ');
    return {Verdict::accepted};
}

std::string rejection_reason(const ConvertResult& result) {
    // What each reason found invalid, in the order of RejectReason.
    constexpr std::array<const char*, 6> INVALID = {"", "month", "day", "", "hour", "minute"};
    if (result.reason == RejectReason::empty_time) return "empty TIME_INI field";
    return std::string("invalid ") + INVALID[static_cast<std::size_t>(result.reason)] + " [" +
           std::to_string(result.value) + "]";
}

std::string rejection_report(std::int64_t record_number, const ConvertResult& result, std::string_view call) {
    return rejection_report(record_number, rejection_reason(result), call);
}

std::string rejection_report(std::int64_t record_number, std::string_view reason, std::string_view call) {
    std::string report = "ERROR: record " + std::to_string(record_number) + ": ";
    report.append(reason).append(".\n");
    return report.append("The record has been excluded from the conversion process.\nCALL: ").append(call).append("\n\n");
}

}  // namespace t2c

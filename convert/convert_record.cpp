#include "convert/convert_record.h"

#include <algorithm>

#include "convert/calendar.h"
#include "text/field.h"

namespace t2c {

namespace {

// The field's text as the converter takes it.
std::string_view taken(std::string_view record, const LogField& log_field) {
    const std::string_view text = field_text(record, log_field);
    if (log_field.take == Take::word) return cut_at(text, ' ');
    if (log_field.take == Take::metres) return cut_at(text, 'm');
    return log_field.take == Take::double_blank ? cut_at_double(text, ' ') : text;
}

bool digits(std::string_view text, std::size_t count) {
    return text.size() == count && std::all_of(text.begin(), text.end(), is_digit);
}

// Keeps the first field in which a kind of change is found.
void note(ImportRecord& out, Change kind, const LogField& log_field, std::string_view from, std::string_view to) {
    if (out.changes[kind].field == nullptr) out.changes[kind] = {&log_field, from, to};
}

// A word field whose text goes on after a blank was cut there.
void note_cut(ImportRecord& out, std::string_view record, const LogField& log_field, std::string_view carried) {
    const std::string_view text = trim_end(field_text(record, log_field));
    if (text.find(' ') != std::string_view::npos) note(out, CUT_AT_BLANK, log_field, text, carried);
}

bool qsl_flag_set(std::string_view flag) { return flag == "B" || flag == "D" || flag == "S"; }

char qsl_status(std::string_view record) {
    const bool sent = qsl_flag_set(field(record, QSL_SENT.span));
    const bool received = qsl_flag_set(field(record, QSL_RECEIVED.span));
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

// The first word of the name, a '/' when there is one, the place ended at its first double or
// trailing blank (which drops its padding), and the QSL manager.
void build_comment(std::string_view record, ImportRecord& out) {
    constexpr std::string_view VIA = "/QSL via ";
    static_assert(NAME.span.width + 1 + PLACE.span.width + VIA.size() + MANAGER.span.width <= 60,
                  "the longest comment fits the import file's 60 characters, so none is ever cut");
    const std::string_view word = taken(record, NAME), place = taken(record, PLACE), manager = taken(record, MANAGER);
    out.comment.assign(word);
    if (!word.empty()) out.comment += '/';
    out.comment += place;
    if (!manager.empty()) out.comment.append(VIA).append(manager);

    const std::string_view name_text = trim_end(field_text(record, NAME));
    if (word.empty() && !trim(name_text).empty()) note(out, EMPTIED, NAME, name_text, out.comment);
    const std::string_view place_text = trim_end(field_text(record, PLACE));
    if (place != place_text) note(out, place_text.starts_with("  ") ? EMPTIED : PLACE_CUT, PLACE, place_text, out.comment);
    note_cut(out, record, MANAGER, out.comment);
}

// What the import line carries otherwise than the log holds it, of the date, start time, band
// and prefix.
void note_read_otherwise(std::string_view record, ImportRecord& out) {
    const std::string_view time = out.time;
    if (!(time.size() == 8 && digits(time.substr(0, 2), 2) && time[2] == ':' && digits(time.substr(3, 2), 2))) {
        note(out, TIME_NOT_HH_MM, TIME_INI, trim_end(field_text(record, TIME_INI)), out.time);
    }
    const int month = read_two_digit(field_text(record, DATE_MONTH)).value_or(0);
    if (!digits(out.year, 4) || !digits(out.day, 2) || digits_value(out.day) > days_in_month(digits_value(out.year), month)) {
        note(out, ODD_DATE, DATE, field_text(record, DATE), "");
    }
    const std::string_view band = trim_end(field_text(record, BAND));
    const bool metres = !out.band.empty() && std::all_of(out.band.begin(), out.band.end(), [](char c) { return is_digit(c) || c == '.'; });
    const bool cut_at_m = band.size() == out.band.size() + 1 && band.ends_with('m');
    if (!band.empty() && !(metres && (band == out.band || cut_at_m))) note(out, BAND_NOT_METRES, BAND, band, out.band);
    if (out.prefix.empty()) note(out, EMPTY_PREFIX, COUNTRY, country_key(record), out.prefix);
}

ConvertResult reject(const char* invalid, int value) {
    return {Verdict::rejected, std::string("invalid ") + invalid + " [" + std::to_string(value) + "]"};
}

}  // namespace

std::string_view country_key(std::string_view record) { return taken(record, COUNTRY); }

ConvertResult check_record(std::string_view record, int& seconds_counter, ImportRecord& out) {
    if (field(record, DELETION_FLAG) == "*") return {Verdict::deleted};

    // Taken first: every report ends with the call.
    out.call = taken(record, CALL);
    out.year = field_text(record, DATE_YEAR);

    // A month or day without a number holds none of the allowed values.
    const int month = read_two_digit(field_text(record, DATE_MONTH)).value_or(0);
    if (month < 1 || month > 12) return reject("month", month);
    out.day = field_text(record, DATE_DAY);
    const int day = read_two_digit(out.day).value_or(0);
    if (day < 1 || day > 31) return reject("day", day);
    out.month_name = MONTH_NAMES[static_cast<std::size_t>(month)];

    const std::string_view time = taken(record, TIME_INI);
    if (time.empty()) return {Verdict::rejected, "empty TIME_INI field"};
    out.time.assign(time);
    // Stamped before the hour and minute are checked, so a record rejected for them still uses
    // up its seconds value.
    stamp_seconds(out.time, seconds_counter);

    // A short time such as '9:30' or '14' is read at these fixed positions all the same, its
    // seconds stamp standing in for missing minute digits. An hour or minute without a number
    // is no hour or minute.
    const int hour = read_two_digit(std::string_view(out.time).substr(0, 2)).value_or(-1);
    if (hour < 0 || hour > 23) return reject("hour", hour);
    const int minute = read_two_digit(std::string_view(out.time).substr(3, 2)).value_or(-1);
    if (minute < 0 || minute > 59) return reject("minute", minute);
    return {Verdict::accepted};
}

ConvertResult convert_record(std::string_view record, const CountryTable& countries, int& seconds_counter,
                             ImportRecord& out) {
    ConvertResult checked = check_record(record, seconds_counter, out);
    if (checked.verdict != Verdict::accepted) return checked;
    out.changes = {};
    // Taken in the order in which the first field cut at a blank is the one shown.
    note_cut(out, record, CALL, out.call);
    if (trim_end(field_text(record, CALL)).empty()) note(out, NO_CALL, CALL, "", "");
    out.band = taken(record, BAND);
    note_cut(out, record, FREQUENCY, out.frequency = taken(record, FREQUENCY));
    note_cut(out, record, MODE, out.mode = taken(record, MODE));
    note_cut(out, record, REPORT_SENT, out.report_sent = cut_at(taken(record, REPORT_SENT), '+'));
    note_cut(out, record, REPORT_RECEIVED, out.report_received = cut_at(taken(record, REPORT_RECEIVED), '+'));
    out.code2 = taken(record, CODE2);
    if (out.code2.starts_with('*')) out.code2 = {};
    note_cut(out, record, CODE2, out.code2);
    note_cut(out, record, CODE6, out.code6 = taken(record, CODE6));
    out.qsl_status = qsl_status(record);
    build_comment(record, out);
    out.prefix = find_country(countries, country_key(record)).value_or("??");
    note_read_otherwise(record, out);
    return checked;
}

std::string rejection_report(std::int64_t record_number, std::string_view reason, std::string_view call) {
    std::string report = "ERROR: record " + std::to_string(record_number) + ": ";
    report.append(reason).append(".\n");
    return report.append("The record has been excluded from the conversion process.\nCALL: ").append(call).append("\n\n");
}

}  // namespace t2c

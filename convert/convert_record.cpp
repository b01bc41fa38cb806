#include "convert/convert_record.h"

#include <algorithm>
#include <utility>

#include "convert/calendar.h"
#include "text/field.h"

namespace t2c {

namespace {

// A field's text up to its first blank, and whether more than blanks follow that blank before
// any zero byte: whether the converter cut the field there. One pass over the field's bytes.
struct Word {
    std::string_view text;
    bool cut;
};

// Whether the field's bytes after what the converter took hold more than blanks before any zero
// byte: the field was cut there.
inline bool goes_on(std::string_view rest) {
    const auto next = std::find_if(rest.begin(), rest.end(), [](char c) { return c != ' '; });
    return next != rest.end() && *next != '\0';
}

Word word_of(std::string_view record, FieldSpan span) {
    const std::string_view bytes = field(record, span);
    const auto end = std::find_if(bytes.begin(), bytes.end(), [](char c) { return c == ' ' || c == '\0'; });
    const auto size = static_cast<std::size_t>(end - bytes.begin());
    return {bytes.substr(0, size), goes_on(bytes.substr(size))};
}

// The field's text as the converter takes it.
std::string_view taken(std::string_view record, const LogField& log_field) {
    if (log_field.take == Take::word) return word_of(record, log_field.span()).text;
    const std::string_view text = field_text(record, log_field);
    if (log_field.take == Take::metres) return cut_at(text, 'm');
    return log_field.take == Take::double_blank ? cut_at_double(text, ' ') : text;
}

inline bool digits(std::string_view text, std::size_t count) {
    return text.size() == count && all_digits(text);
}

// Keeps the first field in which a kind of change is found.
void note(ImportRecord& out, Change kind, const LogField& log_field, std::string_view from, std::string_view to) {
    if (out.changes[kind].field == nullptr) out.changes[kind] = {&log_field, from, to};
    out.changed = true;
}

// A field's word cut at a blank is noted with what the import line carries of it.
inline void note_cut(ImportRecord& out, std::string_view record, const LogField& log_field, const Word& word,
                     std::string_view carried) {
    if (word.cut) note(out, CUT_AT_BLANK, log_field, trim_end(field_text(record, log_field)), carried);
}

bool qsl_flag_set(std::string_view flag) { return flag == "B" || flag == "D" || flag == "S"; }

char qsl_status(std::string_view record) {
    const bool sent = qsl_flag_set(field(record, QSL_SENT.span()));
    const bool received = qsl_flag_set(field(record, QSL_RECEIVED.span()));
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
    static_assert(NAME.width + 1 + PLACE.width + VIA.size() + MANAGER.width <= 60,
                  "the longest comment fits the import file's 60 characters, so none is ever cut");
    const Word name = word_of(record, NAME.span()), manager = word_of(record, MANAGER.span());
    const std::string_view place = taken(record, PLACE);
    out.comment.assign(name.text);
    if (!name.text.empty()) out.comment += '/';
    out.comment += place;
    if (!manager.text.empty()) out.comment.append(VIA).append(manager.text);

    // A name's first word is all the comment means to carry of it; a place, all of it.
    if (name.text.empty() && name.cut) note(out, EMPTIED, NAME, trim_end(field_text(record, NAME)), out.comment);
    if (goes_on(field(record, PLACE.span()).substr(place.size()))) {
        const std::string_view place_text = trim_end(field_text(record, PLACE));
        note(out, place_text.starts_with("  ") ? EMPTIED : PLACE_CUT, PLACE, place_text, out.comment);
    }
    note_cut(out, record, MANAGER, manager, out.comment);
}

// A band that is no number of metres once cut at 'm', and an empty prefix.
void note_band_and_prefix(std::string_view record, ImportRecord& out) {
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

    // Emptied only after a record that noted any: most never do.
    if (std::exchange(out.changed, false)) out.changes = {};
    // Taken first: every report ends with the call.
    const Word call = word_of(record, CALL.span());
    out.call = call.text;
    note_cut(out, record, CALL, call, out.call);
    if (out.call.empty() && !call.cut) note(out, NO_CALL, CALL, "", "");
    out.year = field_text(record, DATE_YEAR);

    // A month or day without a number holds none of the allowed values.
    const int month = read_two_digit(field_text(record, DATE_MONTH)).value_or(0);
    if (month < 1 || month > 12) return reject("month", month);
    out.day = field_text(record, DATE_DAY);
    const int day = read_two_digit(out.day).value_or(0);
    if (day < 1 || day > 31) return reject("day", day);
    out.month_name = MONTH_NAMES[static_cast<std::size_t>(month)];
    if (!digits(out.year, 4) || !digits(out.day, 2) || day > days_in_month(digits_value(out.year), month)) {
        note(out, ODD_DATE, DATE, field_text(record, DATE), "");
    }

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
    if (!(time.size() == 5 && digits(time.substr(0, 2), 2) && time[2] == ':' && digits(time.substr(3), 2))) {
        note(out, TIME_NOT_HH_MM, TIME_INI, trim_end(field_text(record, TIME_INI)), out.time);
    }
    return {Verdict::accepted};
}

ConvertResult convert_record(std::string_view record, const CountryTable& countries, int& seconds_counter,
                             ImportRecord& out) {
    ConvertResult checked = check_record(record, seconds_counter, out);
    if (checked.verdict != Verdict::accepted) return checked;
    // Taken in the order in which the first field cut at a blank is the one shown, after the call.
    const Word frequency = word_of(record, FREQUENCY.span()), mode = word_of(record, MODE.span());
    const Word sent = word_of(record, REPORT_SENT.span()), received = word_of(record, REPORT_RECEIVED.span());
    const Word code2 = word_of(record, CODE2.span()), code6 = word_of(record, CODE6.span());
    note_cut(out, record, FREQUENCY, frequency, out.frequency = frequency.text);
    note_cut(out, record, MODE, mode, out.mode = mode.text);
    note_cut(out, record, REPORT_SENT, sent, out.report_sent = cut_at(sent.text, '+'));
    note_cut(out, record, REPORT_RECEIVED, received, out.report_received = cut_at(received.text, '+'));
    note_cut(out, record, CODE2, code2, out.code2 = code2.text.starts_with('*') ? std::string_view() : code2.text);
    note_cut(out, record, CODE6, code6, out.code6 = code6.text);
    out.band = taken(record, BAND);
    out.qsl_status = qsl_status(record);
    build_comment(record, out);
    out.prefix = find_country(countries, country_key(record)).value_or("??");
    note_band_and_prefix(record, out);
    return checked;
}

std::string rejection_report(std::int64_t record_number, std::string_view reason, std::string_view call) {
    std::string report = "ERROR: record " + std::to_string(record_number) + ": ";
    report.append(reason).append(".\n");
    return report.append("The record has been excluded from the conversion process.\nCALL: ").append(call).append("\n\n");
}

}  // namespace t2c

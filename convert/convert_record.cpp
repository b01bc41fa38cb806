#include "convert/convert_record.h"

#include <cstring>

#include "dbf/record_layout.h"
#include "text/field.h"

namespace t2c {

namespace {

// Appends more, up to its first zero byte, as far as text has room for it.
template <std::size_t N>
void append(char (&text)[N], std::string_view more) {
    std::size_t length = std::strlen(text);
    for (std::size_t i = 0; i < more.size() && more[i] != '\0' && length < N - 1; ++i) {
        text[length++] = more[i];
    }
    text[length] = '\0';
}

// copy_field of the field and then cut_at(c), in one pass that stops where the text ends:
// the field's bytes up to its first zero byte or c; returns their number. text is zero on
// entry (out is), so the copy is terminated. Every accepted record goes through ten of these:
// one short pass, instead of a copy of the whole width and a second scan, saves much time.
template <FieldSpan SPAN, std::size_t N>
std::size_t copy_word(char (&text)[N], std::string_view record, char c) {
    static_assert(SPAN.width < N, "the text has room for the field and its terminator");
    const char* source = record.data() + SPAN.offset;
    std::size_t length = 0;
    for (; length < SPAN.width && source[length] != '\0' && source[length] != c; ++length) {
        text[length] = source[length];
    }
    return length;
}

// What copy_field and then cut_at_double(' ') leave of a field: its text up to a zero byte,
// ended at the first blank that is followed by another or by the end. Found in place.
std::string_view padded_text(std::string_view record, FieldSpan span) {
    std::string_view text = field(record, span);
    text = text.substr(0, text.find('\0'));
    std::size_t end = 0;
    while (end < text.size() && !(text[end] == ' ' && (end + 1 == text.size() || text[end + 1] == ' '))) ++end;
    return text.substr(0, end);
}

bool qsl_flag_set(char flag) { return flag == 'B' || flag == 'D' || flag == 'S'; }

char qsl_status(char sent, char received) {
    if (qsl_flag_set(sent)) return qsl_flag_set(received) ? 'X' : 'S';
    return qsl_flag_set(received) ? 'R' : '\0';
}

ConvertResult reject(RejectReason reason, int value) {
    return {Verdict::rejected, reason, value};
}

// Appends ':' and the counter as two digits to a time text of length characters.
void stamp_seconds(char (&time)[9], std::size_t length, int& seconds_counter) {
    static_assert(TIME_INI.width + 3 < sizeof time, "the stamp fits behind the longest time");
    time[length] = ':';
    time[length + 1] = static_cast<char>('0' + seconds_counter / 10);
    time[length + 2] = static_cast<char>('0' + seconds_counter % 10);
    seconds_counter = (seconds_counter + 1) % 60;
}

void build_comment(std::string_view record, ImportRecord& out) {
    // The first word of the name, a '/' when there is one, the place, and all of it cut at
    // its first double or trailing blank, which drops the place's padding. The word holds no
    // blank, so that cut falls within the place: the place is taken as padded_text leaves it.
    std::size_t length = copy_word<NAME>(out.comment, record, ' ');
    if (length != 0) out.comment[length++] = '/';
    const std::string_view place = padded_text(record, PLACE);
    place.copy(out.comment + length, place.size());

    copy_word<MANAGER>(out.manager, record, ' ');
    if (out.manager[0] != '\0') {
        append(out.comment, "/QSL via ");
        append(out.comment, out.manager);
    }
}

}  // namespace

ConvertResult convert_record(std::string_view record, const CountryTable& countries,
                             int& seconds_counter, ImportRecord& out) {
    if (record[DELETION_FLAG.offset] == '*') return {Verdict::deleted};

    // Taken first: every report ends with the call.
    copy_word<CALL>(out.call, record, ' ');

    copy_field(out.year, field(record, DATE_YEAR));

    copy_field(out.month_text, field(record, DATE_MONTH));
    out.month = read_two_digit(out.month_text).value_or(0);
    if (out.month < 1 || out.month > 12) return reject(RejectReason::month, out.month);

    copy_field(out.day, field(record, DATE_DAY));
    const int day = read_two_digit(out.day).value_or(0);
    if (day < 1 || day > 31) return reject(RejectReason::day, day);

    append(out.month_name, MONTH_NAMES[static_cast<std::size_t>(out.month)]);

    const std::size_t time_length = copy_word<TIME_INI>(out.time, record, ' ');
    if (time_length == 0) return reject(RejectReason::empty_time, 0);
    // Stamped before the hour and minute are checked, so a record rejected for them still
    // uses up its seconds value.
    stamp_seconds(out.time, time_length, seconds_counter);

    // A short time such as '9:30' or '14' is read at these fixed positions all the same,
    // its seconds stamp standing in for missing minute digits.
    const int hour = read_two_digit(std::string_view(out.time, 2)).value_or(-1);
    if (hour < 0 || hour > 23) return reject(RejectReason::hour, hour);
    const int minute = read_two_digit(std::string_view(out.time + 3, 2)).value_or(-1);
    if (minute < 0 || minute > 59) return reject(RejectReason::minute, minute);

    copy_word<BAND>(out.band, record, 'm');
    copy_word<FREQUENCY>(out.frequency, record, ' ');
    copy_word<MODE>(out.mode, record, ' ');
    copy_word<REPORT_SENT>(out.report_sent, record, ' ');
    cut_at(out.report_sent, '+');
    copy_word<REPORT_RECEIVED>(out.report_received, record, ' ');
    cut_at(out.report_received, '+');

    out.qsl_status = qsl_status(record[QSL_SENT.offset], record[QSL_RECEIVED.offset]);
    build_comment(record, out);

    copy_word<CODE2>(out.code2, record, ' ');
    if (out.code2[0] == '*') cut_at(out.code2, '*');

    out.prefix = find_country(countries, padded_text(record, COUNTRY)).value_or("??");

    copy_word<CODE6>(out.code6, record, ' ');
    return {Verdict::accepted};
}

void write_rejection_report(std::FILE* stream, std::int64_t record_number,
                            const ConvertResult& result, const ImportRecord& out) {
    const auto n = static_cast<long long>(record_number);
    switch (result.reason) {
        case RejectReason::month:
            std::fprintf(stream, "ERROR: record %lld: invalid month [%d].\n", n, result.value);
            break;
        case RejectReason::day:
            std::fprintf(stream, "ERROR: record %lld: invalid day [%d].\n", n, result.value);
            break;
        case RejectReason::empty_time:
            std::fprintf(stream, "ERROR: record %lld: empty TIME_INI field.\n", n);
            break;
        case RejectReason::hour:
            std::fprintf(stream, "ERROR: record %lld: invalid hour [%d].\n", n, result.value);
            break;
        case RejectReason::minute:
            std::fprintf(stream, "ERROR: record %lld: invalid minute [%d].\n", n, result.value);
            break;
        case RejectReason::none:
            return;
    }
    std::fprintf(stream, "The record has been excluded from the conversion process.\nCALL: %s\n\n",
                 out.call);
}

}  // namespace t2c

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

bool qsl_flag_set(char flag) { return flag == 'B' || flag == 'D' || flag == 'S'; }

char qsl_status(char sent, char received) {
    if (qsl_flag_set(sent)) return qsl_flag_set(received) ? 'X' : 'S';
    return qsl_flag_set(received) ? 'R' : '\0';
}

ConvertResult reject(RejectReason reason, int value) {
    return {Verdict::rejected, reason, value};
}

void stamp_seconds(char (&time)[9], int& seconds_counter) {
    const char stamp[4] = {':', static_cast<char>('0' + seconds_counter / 10),
                           static_cast<char>('0' + seconds_counter % 10), '\0'};
    append(time, stamp);
    seconds_counter = (seconds_counter + 1) % 60;
}

void build_comment(std::string_view record, ImportRecord& out) {
    copy_field(out.comment, field(record, NAME));
    cut_at(out.comment, ' ');  // the first word of the name
    if (out.comment[0] != '\0') append(out.comment, "/");
    append(out.comment, field(record, PLACE));
    // Drops the place's padding; a double blank inside the place ends the comment too.
    cut_at_double(out.comment, ' ');

    copy_field(out.manager, field(record, MANAGER));
    cut_at(out.manager, ' ');
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
    copy_field(out.call, field(record, CALL));
    cut_at(out.call, ' ');

    copy_field(out.year, field(record, DATE_YEAR));

    copy_field(out.month_text, field(record, DATE_MONTH));
    out.month = read_two_digit(out.month_text).value_or(0);
    if (out.month < 1 || out.month > 12) return reject(RejectReason::month, out.month);

    copy_field(out.day, field(record, DATE_DAY));
    const int day = read_two_digit(out.day).value_or(0);
    if (day < 1 || day > 31) return reject(RejectReason::day, day);

    append(out.month_name, MONTH_NAMES[static_cast<std::size_t>(out.month)]);

    copy_field(out.time, field(record, TIME_INI));
    cut_at(out.time, ' ');
    if (out.time[0] == '\0') return reject(RejectReason::empty_time, 0);
    // Stamped before the hour and minute are checked, so a record rejected for them still
    // uses up its seconds value.
    stamp_seconds(out.time, seconds_counter);

    // A short time such as '9:30' or '14' is read at these fixed positions all the same,
    // its seconds stamp standing in for missing minute digits.
    const int hour = read_two_digit(std::string_view(out.time, 2)).value_or(-1);
    if (hour < 0 || hour > 23) return reject(RejectReason::hour, hour);
    const int minute = read_two_digit(std::string_view(out.time + 3, 2)).value_or(-1);
    if (minute < 0 || minute > 59) return reject(RejectReason::minute, minute);

    copy_field(out.band, field(record, BAND));
    cut_at(out.band, 'm');
    copy_field(out.frequency, field(record, FREQUENCY));
    cut_at(out.frequency, ' ');
    copy_field(out.mode, field(record, MODE));
    cut_at(out.mode, ' ');
    copy_field(out.report_sent, field(record, REPORT_SENT));
    cut_at(out.report_sent, ' ');
    cut_at(out.report_sent, '+');
    copy_field(out.report_received, field(record, REPORT_RECEIVED));
    cut_at(out.report_received, ' ');
    cut_at(out.report_received, '+');

    out.qsl_status = qsl_status(record[QSL_SENT.offset], record[QSL_RECEIVED.offset]);
    build_comment(record, out);

    copy_field(out.code2, field(record, CODE2));
    cut_at(out.code2, ' ');
    if (out.code2[0] == '*') cut_at(out.code2, '*');

    char country[COUNTRY.width + 1] = {};
    copy_field(country, field(record, COUNTRY));
    cut_at_double(country, ' ');
    out.prefix = find_country(countries, country).value_or("??");

    copy_field(out.code6, field(record, CODE6));
    cut_at(out.code6, ' ');
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

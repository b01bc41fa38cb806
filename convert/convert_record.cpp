#include "convert/convert_record.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "convert/words.h"
#include "dbf/record_layout.h"
#include "text/field.h"

namespace t2c {

namespace {

// copy_field of the field, then cut_at(stop) and, when one is given, cut_at(other_stop): the
// field's bytes up to its first zero byte, stop or other stop; returns their number. The
// bytes of the field after that stay behind the terminator, as cut_at leaves them.
template <FieldSpan SPAN, std::size_t N>
std::size_t copy_until(char (&text)[N], std::string_view record, char stop, char other_stop = '\0') {
    static_assert(SPAN.width < N, "the text has room for the field and its terminator");
    const char* source = record.data() + SPAN.offset;
    std::size_t length = 0;
    if constexpr (SPAN.offset + SPAN.width + words::WORD_SIZE - 1 <= FIELDS_END) {
        length = SPAN.width;
        for (std::size_t offset = 0; offset < SPAN.width; offset += words::WORD_SIZE) {
            const std::uint64_t word = words::load(source + offset);
            std::uint64_t ends = words::zero_bytes(word) | words::bytes_equal(word, static_cast<unsigned char>(stop)) |
                                 words::bytes_equal(word, static_cast<unsigned char>(other_stop));
            if (offset + words::WORD_SIZE > SPAN.width) ends |= words::marks_from(SPAN.width - offset);
            if (ends != 0) {
                length = offset + words::first_marked(ends);
                break;
            }
        }
    } else {
        // A short field near the record's end: the word that ends with the field, moved so
        // that the field comes first and zero bytes, which end it, follow.
        static_assert(SPAN.width < words::WORD_SIZE && SPAN.offset + SPAN.width >= words::WORD_SIZE);
        std::uint64_t word = words::load(source + SPAN.width - words::WORD_SIZE);
        constexpr int SHIFT = 8 * static_cast<int>(words::WORD_SIZE - SPAN.width);
        if constexpr (std::endian::native == std::endian::little) {
            word >>= SHIFT;
        } else {
            word <<= SHIFT;
        }
        const std::uint64_t ends = words::zero_bytes(word) | words::bytes_equal(word, static_cast<unsigned char>(stop)) |
                                   words::bytes_equal(word, static_cast<unsigned char>(other_stop));
        length = words::first_marked(ends);
    }
    std::memcpy(text, source, SPAN.width);
    text[length] = '\0';
    return length;
}

// copy_field alone: the whole field, which reads as a text up to its first zero byte.
template <FieldSpan SPAN, std::size_t N>
void copy_whole(char (&text)[N], std::string_view record) {
    static_assert(SPAN.width < N, "the text has room for the field and its terminator");
    std::memcpy(text, record.data() + SPAN.offset, SPAN.width);
    text[SPAN.width] = '\0';
}

// read_two_digit, or none when it reads no number. Nearly every date and time of a log is two
// plain digits, read here without the general reading, with one test for both.
int read_number(std::string_view two_characters, int none) {
    const unsigned tens = static_cast<unsigned char>(two_characters[0]) - unsigned{'0'};
    const unsigned ones = static_cast<unsigned char>(two_characters[1]) - unsigned{'0'};
    if ((tens < 10) & (ones < 10)) return static_cast<int>(tens * 10 + ones);
    return read_two_digit(two_characters).value_or(none);
}

// What copy_field and then cut_at_double(' ') leave of a field: its text up to a zero byte,
// ended at the first blank that is followed by another, by a zero byte or by the field's end.
// Found in place, a word at a time: the word one byte further on holds for each byte the one
// that follows it.
//
// Always inlined: taken for the country by convert_record and country_key alike, it would
// otherwise be left a call of its own on the per-record path.
template <FieldSpan SPAN>
[[gnu::always_inline]] inline std::string_view padded_text(std::string_view record) {
    static_assert(SPAN.offset + SPAN.width + words::WORD_SIZE <= FIELDS_END, "words stay within the fields");
    const char* text = record.data() + SPAN.offset;
    std::size_t length = SPAN.width;
    for (std::size_t offset = 0; offset < SPAN.width; offset += words::WORD_SIZE) {
        const std::uint64_t word = words::load(text + offset);
        const std::uint64_t next = words::load(text + offset + 1);
        std::uint64_t next_ends = words::zero_bytes(next) | words::bytes_equal(next, ' ');
        std::uint64_t ends = words::zero_bytes(word);
        if (offset + words::WORD_SIZE >= SPAN.width) {
            next_ends |= words::marks_from(SPAN.width - offset - 1);
            ends |= words::marks_from(SPAN.width - offset);
        }
        ends |= words::bytes_equal(word, ' ') & next_ends;
        if (ends != 0) {
            length = offset + words::first_marked(ends);
            break;
        }
    }
    return record.substr(SPAN.offset, length);
}

int read_month(std::string_view record) { return read_number(field(record, DATE_MONTH), 0); }
int read_day(std::string_view record) { return read_number(field(record, DATE_DAY), 0); }

// Whether the start time holds any text: copy_field and cut_at(' ') leave none when its first
// byte ends it.
bool time_given(std::string_view record) {
    const char first = record[TIME_INI.offset];
    return first != ' ' && first != '\0';
}

bool qsl_flag_set(char flag) { return flag == 'B' || flag == 'D' || flag == 'S'; }

char qsl_status(char sent, char received) {
    if (qsl_flag_set(sent)) return qsl_flag_set(received) ? 'X' : 'S';
    return qsl_flag_set(received) ? 'R' : '\0';
}

ConvertResult reject(RejectReason reason, int value) {
    return {Verdict::rejected, reason, value};
}

// "00" to "59": the seconds stamp's two digits, without dividing.
constexpr std::array<std::array<char, 2>, 60> SECONDS_DIGITS = [] {
    std::array<std::array<char, 2>, 60> digits{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        digits[i] = {static_cast<char>('0' + i / 10), static_cast<char>('0' + i % 10)};
    }
    return digits;
}();

// Appends ':' and the counter as two digits to a time text of length characters.
void stamp_seconds(char (&time)[9], std::size_t length, int& seconds_counter) {
    static_assert(TIME_INI.width + 3 < sizeof time, "the stamp fits behind the longest time");
    time[length] = ':';
    std::memcpy(time + length + 1, SECONDS_DIGITS[static_cast<std::size_t>(seconds_counter)].data(), 2);
    time[length + 3] = '\0';
    seconds_counter = seconds_counter == 59 ? 0 : seconds_counter + 1;
}

void build_comment(std::string_view record, ImportRecord& out) {
    // The first word of the name, a '/' when there is one, the place, and all of it cut at
    // its first double or trailing blank, which drops the place's padding. The word holds no
    // blank, so that cut falls within the place: the place is taken as padded_text leaves it.
    //
    // The place and the manager are copied as whole words of the record, more bytes than
    // their texts, which the terminator then ends: a copy of varying length costs several
    // times more for texts this short.
    constexpr std::size_t PLACE_COPIED = 3 * words::WORD_SIZE;
    constexpr std::size_t MANAGER_COPIED = 2 * words::WORD_SIZE;
    constexpr std::string_view VIA = "/QSL via ";
    static_assert(PLACE_COPIED >= PLACE.width && MANAGER_COPIED >= MANAGER.width);
    static_assert(PLACE.offset + PLACE_COPIED <= FIELDS_END && MANAGER.offset + MANAGER_COPIED <= FIELDS_END);
    static_assert(NAME.width + 1 + PLACE_COPIED <= sizeof out.comment &&
                      NAME.width + 1 + PLACE.width + VIA.size() + MANAGER_COPIED <= sizeof out.comment,
                  "the longest comment fits, so none is ever cut short, and so do the words copied");
    std::size_t length = copy_until<NAME>(out.comment, record, ' ');
    if (length != 0) out.comment[length++] = '/';
    const std::string_view place = padded_text<PLACE>(record);
    std::memcpy(out.comment + length, place.data(), PLACE_COPIED);
    length += place.size();
    out.comment[length] = '\0';

    const std::size_t manager_length = copy_until<MANAGER>(out.manager, record, ' ');
    if (manager_length != 0) {
        length += VIA.copy(out.comment + length, VIA.size());
        std::memcpy(out.comment + length, record.data() + MANAGER.offset, MANAGER_COPIED);
        out.comment[length + manager_length] = '\0';
    }
}

}  // namespace

// convert_record takes the same cut itself: a call of this function, external and long once
// its word loop is unrolled, was left a call on the per-record path.
std::string_view country_key(std::string_view record) { return padded_text<COUNTRY>(record); }

bool stamps_seconds(std::string_view record) {
    if (record[DELETION_FLAG.offset] == '*') return false;
    const int month = read_month(record);
    if (month < 1 || month > 12) return false;
    const int day = read_day(record);
    return day >= 1 && day <= 31 && time_given(record);
}

ConvertResult convert_record(std::string_view record, const CountryTable& countries,
                             int& seconds_counter, ImportRecord& out) {
    // The same tests, in the same order, as stamps_seconds.
    if (record[DELETION_FLAG.offset] == '*') return {Verdict::deleted};

    // Taken first: every report ends with the call.
    copy_until<CALL>(out.call, record, ' ');

    copy_whole<DATE_YEAR>(out.year, record);

    copy_whole<DATE_MONTH>(out.month_text, record);
    out.month = read_month(record);
    if (out.month < 1 || out.month > 12) return reject(RejectReason::month, out.month);

    copy_whole<DATE_DAY>(out.day, record);
    const int day = read_day(record);
    if (day < 1 || day > 31) return reject(RejectReason::day, day);

    // Three letters and the terminator, for each month from 1 to 12.
    std::memcpy(out.month_name, MONTH_NAMES[static_cast<std::size_t>(out.month)], sizeof out.month_name);

    if (!time_given(record)) return reject(RejectReason::empty_time, 0);
    const std::size_t time_length = copy_until<TIME_INI>(out.time, record, ' ');
    // Stamped before the hour and minute are checked, so a record rejected for them still
    // uses up its seconds value.
    stamp_seconds(out.time, time_length, seconds_counter);

    // A short time such as '9:30' or '14' is read at these fixed positions all the same,
    // its seconds stamp standing in for missing minute digits.
    const int hour = read_number(std::string_view(out.time, 2), -1);
    if (hour < 0 || hour > 23) return reject(RejectReason::hour, hour);
    const int minute = read_number(std::string_view(out.time + 3, 2), -1);
    if (minute < 0 || minute > 59) return reject(RejectReason::minute, minute);

    copy_until<BAND>(out.band, record, 'm');
    copy_until<FREQUENCY>(out.frequency, record, ' ');
    copy_until<MODE>(out.mode, record, ' ');
    copy_until<REPORT_SENT>(out.report_sent, record, ' ', '+');
    copy_until<REPORT_RECEIVED>(out.report_received, record, ' ', '+');

    out.qsl_status = qsl_status(record[QSL_SENT.offset], record[QSL_RECEIVED.offset]);
    build_comment(record, out);

    copy_until<CODE2>(out.code2, record, ' ');
    if (out.code2[0] == '*') cut_at(out.code2, '*');

    out.prefix = find_country(countries, padded_text<COUNTRY>(record)).value_or("??");

    copy_until<CODE6>(out.code6, record, ' ');
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

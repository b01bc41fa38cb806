// The conversion reads records a word at a time, in place, and writes lines without general
// formatting. Here it is held, over many random and damaged records, to a plain conversion
// that applies the field helpers step by step as the rules state them: same line, same
// verdict, same report, same seconds stamps.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "convert/convert_record.h"
#include "convert/import_line.h"
#include "dbf/record_layout.h"
#include "text/field.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

using Countries = std::map<std::string, std::string, std::less<>>;  // the last added wins

struct Converted {
    ConvertResult result{Verdict::accepted};
    std::string call;
    std::string line;  // accepted records only
};

// copy_field of the field, then each cut in turn.
std::string cut_field(std::string_view record, FieldSpan span, std::string_view cuts = "") {
    std::vector<char> text(span.width + 1, '\0');
    copy_field(text.data(), field(record, span));
    for (const char c : cuts) cut_at(text.data(), c);
    return text.data();
}

std::string cut_double(const std::string& text) {
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    cut_at_double(copy.data(), ' ');
    return copy.data();
}

void append_text(std::string& line, std::string_view text) {
    for (const char c : text) line.push_back(c == FIELD_SEP || c == '\r' || c == '\n' ? ' ' : c);
}

Converted reference_convert(std::string_view record, const Countries& countries, int& seconds_counter) {
    Converted out;
    const auto reject = [&](RejectReason reason, int value) {
        out.result = {Verdict::rejected, reason, value};
        return out;
    };
    if (record[DELETION_FLAG.offset] == '*') return {{Verdict::deleted}, "", ""};
    out.call = cut_field(record, CALL, " ");
    const std::string year = cut_field(record, DATE_YEAR);
    const int month = read_two_digit(cut_field(record, DATE_MONTH)).value_or(0);
    if (month < 1 || month > 12) return reject(RejectReason::month, month);
    const std::string day_text = cut_field(record, DATE_DAY);
    const int day = read_two_digit(day_text).value_or(0);
    if (day < 1 || day > 31) return reject(RejectReason::day, day);

    std::string time = cut_field(record, TIME_INI, " ");
    if (time.empty()) return reject(RejectReason::empty_time, 0);
    time.append(1, ':').append(1, static_cast<char>('0' + seconds_counter / 10));
    time.append(1, static_cast<char>('0' + seconds_counter % 10));
    seconds_counter = (seconds_counter + 1) % 60;
    const int hour = read_two_digit(std::string_view(time).substr(0, 2)).value_or(-1);
    if (hour < 0 || hour > 23) return reject(RejectReason::hour, hour);
    const int minute = read_two_digit(std::string_view(time).substr(3, 2)).value_or(-1);
    if (minute < 0 || minute > 59) return reject(RejectReason::minute, minute);

    const auto flag = [](char c) { return c == 'B' || c == 'D' || c == 'S'; };
    const bool sent = flag(record[QSL_SENT.offset]);
    const bool received = flag(record[QSL_RECEIVED.offset]);
    const std::string qsl = sent ? (received ? "X" : "S") : (received ? "R" : "");

    std::string comment = cut_field(record, NAME, " ");
    if (!comment.empty()) comment += '/';
    comment = cut_double(comment + cut_field(record, PLACE));
    const std::string manager = cut_field(record, MANAGER, " ");
    if (!manager.empty()) comment.append("/QSL via ").append(manager);

    std::string code2 = cut_field(record, CODE2, " ");
    if (!code2.empty() && code2[0] == '*') code2.clear();
    const auto country = countries.find(cut_double(cut_field(record, COUNTRY)));

    std::string& line = out.line;
    append_text(line, day_text);
    line.append(1, '-').append(MONTH_NAMES[static_cast<std::size_t>(month)]).append(1, '-');
    append_text(line, year);
    line.append(1, ' ');
    for (const std::string& text :
         {time, out.call, country == countries.end() ? std::string("??") : country->second, code2,
          cut_field(record, BAND, "m"), cut_field(record, MODE, " "), cut_field(record, REPORT_SENT, " +"),
          cut_field(record, REPORT_RECEIVED, " +"), qsl, comment, std::string(),
          cut_field(record, FREQUENCY, " "), std::string(), cut_field(record, CODE6, " "), std::string(),
          std::string(), std::string()}) {
        append_text(line, text);
        line.push_back(FIELD_SEP);
    }
    line.append("\r\n");
    return out;
}

// Names that match, nearly match (a byte off, a byte more or less, another case, a blank
// more), share long beginnings and ends, and come again with a later prefix.
std::vector<std::string> country_names() {
    std::vector<std::string> names = {"", "A", "ITALY", "ITALY X", "ITALYX", "ITAL", "italy", " ITALY",
                                      "ITALY ", std::string(40, 'N'), std::string(39, 'N'), std::string(41, 'N')};
    for (int i = 0; i < 600; ++i) {
        const std::string number = std::to_string(i);
        names.push_back(std::string("LAND ").append(number));
        names.push_back(std::string(12, 'W').append(number).append(std::string(12 - number.size(), 'E')));
        names.push_back(number);
    }
    return names;
}

// The base record's country: a listed name, one a byte away from it, or one cut by a double
// blank or a zero byte inside the field.
std::string pick_country(std::mt19937& random, const std::vector<std::string>& names) {
    std::string name = names[random() % names.size()];
    switch (random() % 6) {
        case 0:
            if (!name.empty()) name[random() % name.size()] ^= static_cast<char>(1 << (random() % 7));
            break;
        case 1:
            name.append(random() % 2 ? " " : "  ").append("MORE");
            break;
        case 2:
            name.append(1, '\0').append("X");
            break;
        default:
            break;
    }
    return name;
}

constexpr char ODD_BYTES[] = {' ', ' ', ' ', '\0', FIELD_SEP, '\r', '\n', '0', '1', '3', '5', '9',
                              '+', '-',  '*', 'm',  ':',       'B',  'S',  'A', '\t', '\xFF'};

// A plausible contact, then up to seven bytes or blank pairs set anywhere, now and then the
// rest of the record zeroed as a short record reads.
std::string random_record(std::mt19937& random, const std::vector<std::string>& names) {
    const auto pick = [&](std::initializer_list<const char*> texts) {
        return std::string(texts.begin()[random() % texts.size()]);
    };
    std::string record = fixture::record_bytes({
        .date = pick({"19990307", "20231231", "19990013", "1999 1 7", "1999-1+1", "199912  "}),
        .time = pick({"14:30", "9:30", "14", "0000", "23:59", "  :30", "1", "24:00", "12:60", "-1:-1"}),
        .band = pick({"20m", "160m", "2m", "70cm", "m"}),
        .frequency = pick({"14.195", "1.8 MHz", "", "144.3001"}),
        .mode = pick({"SSB", "RTTY", "CW  X", ""}),
        .call = pick({"Q1AAA", "Q2BBB/P", "", "Q3 CCC", "Q4DDDDDDDDDDDDD"}),
        .report_sent = pick({"59", "599", "5+9", "+", ""}),
        .report_received = pick({"57", "5 9", "59+"}),
        .name = pick({"ANNA", "ANNA MARIA", "", "ABCDEFGHIJKLMNO"}),
        .place = pick({"ROMA", "NEW YORK CITY", "ROMA  CENTRO", "", "PQRSTUVWXYZ123456789", "A "}),
        .qsl_sent = pick({"", "B", "D", "S", "s"}),
        .qsl_received = pick({"", "B", "D", "S", "N"}),
        .manager = pick({"", "Q2BBB", "Q1234567890Z", "Q5 EEE"}),
        .country = pick_country(random, names),
        .code2 = pick({"XY", "*A", "*", "", " Z"}),
        .code6 = pick({"ABCDEF", "JN61 X", "", "A"}),
    });
    for (unsigned i = random() % 8; i > 0; --i) {
        const std::size_t at = random() % FIELDS_END;
        if (random() % 3 == 0) {
            record.replace(at, 2, "  ");
            record.resize(FIELDS_END);
        } else {
            record[at] = ODD_BYTES[random() % sizeof ODD_BYTES];
        }
    }
    if (random() % 20 == 0) record.replace(1 + random() % (FIELDS_END - 1), FIELDS_END, FIELDS_END, '\0').resize(FIELDS_END);
    return record;
}

std::string escaped(const std::string& bytes) { return testing::PrintToString(bytes); }

ImportRecord garbage_record() {
    ImportRecord record{};
    const auto fill = [](auto& text) { std::fill(std::begin(text), std::end(text), 'Z'); };
    fill(record.year);
    fill(record.month_text);
    fill(record.day);
    fill(record.time);
    record.month = 99;
    fill(record.month_name);
    fill(record.band);
    fill(record.frequency);
    fill(record.mode);
    fill(record.call);
    fill(record.report_sent);
    fill(record.report_received);
    record.qsl_status = 'Z';
    fill(record.comment);
    fill(record.manager);
    record.prefix = "ZZ";
    fill(record.code2);
    fill(record.code6);
    return record;
}

TEST(ReferenceConversion, GivesTheSameLinesVerdictsReportsAndSeconds) {
    std::mt19937 random(20240611);
    const std::vector<std::string> names = country_names();
    CountryTable table;
    Countries reference_table;
    for (std::size_t i = 0; i < names.size() * 2; ++i) {
        // Every name twice, in a shuffled order, so that the later prefix must win.
        const std::string& name = names[random() % names.size()];
        const std::string prefix = std::string("P").append(std::to_string(i));
        add_country(table, name, prefix);
        reference_table.insert_or_assign(name, prefix);
    }

    int seconds_counter = 0;
    int reference_seconds = 0;
    int accepted = 0;
    int rejected = 0;
    // One record reused throughout, as a run does, and garbage before the first: a field that
    // an accepted record leaves unwritten shows in its line.
    ImportRecord out = garbage_record();
    for (int i = 0; i < 20'000; ++i) {
        const std::string record = random_record(random, names);
        const int seconds_before = seconds_counter;
        const ConvertResult result = convert_record(record, table, seconds_counter, out);
        const Converted expected = reference_convert(record, reference_table, reference_seconds);
        ASSERT_EQ(result.verdict, expected.result.verdict) << escaped(record);
        ASSERT_EQ(seconds_counter, reference_seconds) << escaped(record);
        // The run works out each chunk's first seconds value from this alone.
        ASSERT_EQ(stamps_seconds(record), seconds_counter != seconds_before) << escaped(record);
        if (result.verdict == Verdict::rejected) {
            ++rejected;
            ASSERT_EQ(result.reason, expected.result.reason) << escaped(record);
            ASSERT_EQ(result.value, expected.result.value) << escaped(record);
            ASSERT_EQ(std::string_view(out.call), expected.call) << escaped(record);
        } else if (result.verdict == Verdict::accepted) {
            ++accepted;
            std::string line;
            write_import_line(out, line);
            ASSERT_EQ(line, expected.line) << escaped(record);
        }
    }
    // The mix reaches every path.
    EXPECT_GT(accepted, 5'000);
    EXPECT_GT(rejected, 5'000);
}

}  // namespace
}  // namespace t2c

#include "convert/import_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "convert/convert_record.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

using fixture::Contact;

std::string line_for(const Contact& contact) {
    CountryTable countries;
    add_country(countries, "ITALY", "I");
    int seconds_counter = 0;
    ImportRecord record{};
    EXPECT_EQ(convert_record(fixture::record_bytes(contact), countries, seconds_counter, record).verdict,
              Verdict::accepted);
    std::string line;
    write_import_line(record, line);
    return line;
}

// The worked contact: every field blank-padded, the first stamped record of a run.
const Contact WORKED{.qsl_sent = "B", .qsl_received = " "};

TEST(ImportLine, WritesTheWorkedContactByteForByte) {
    EXPECT_EQ(line_for(WORKED),
              "07-MAR-1999 14:30:00\x19Q1AAA\x19I\x19XY\x19" "20\x19SSB\x19" "59\x19" "57\x19S\x19"
              "ANNA/ROMA\x19\x19" "14.195\x19\x19" "ABCDEF\x19\x19\x19\x19\r\n");
}

TEST(ImportLine, WritesEmptyFieldsAsTheirSeparatorOnly) {
    const Contact contact{.frequency = "", .name = "", .place = "", .qsl_sent = "X", .code2 = "", .code6 = ""};
    // After the received report: the separators of the empty status, comment, frequency and
    // code6 and of the always-empty fields, ten in a row.
    std::string expected = "07-MAR-1999 14:30:00\x19Q1AAA\x19I\x19\x19" "20\x19SSB\x19" "59\x19" "57";
    expected.append(10, '\x19').append("\r\n");
    EXPECT_EQ(line_for(contact), expected);
}

TEST(ImportLine, KeepsBlankBandsAndLeadingBlanksOfTheDay) {
    const Contact contact{.date = "199903 7", .band = "    ", .qsl_sent = "B", .qsl_received = "D"};
    const std::string line = line_for(contact);
    EXPECT_EQ(line.substr(0, 21), " 7-MAR-1999 14:30:00\x19");
    EXPECT_NE(line.find("\x19    \x19SSB\x19"), std::string::npos);
    EXPECT_NE(line.find("\x19X\x19" "ANNA/ROMA\x19\x19"), std::string::npos);
}

TEST(ImportLine, WritesSeparatorsAndLineEndsInsideFieldsAsBlanks) {
    const Contact contact{.call = "Q1\x19Z", .name = "AN\rNA", .place = "RO\nMA", .code6 = "\r\n\x19"};
    const std::string line = line_for(contact);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\x19'), 17);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\r'), 1);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_NE(line.find("\x19Q1 Z\x19"), std::string::npos);
    EXPECT_NE(line.find("\x19" "AN NA/RO MA\x19"), std::string::npos);
    EXPECT_NE(line.find("\x19   \x19\x19\x19\x19\r\n"), std::string::npos);
}

// Texts of every length in every field, with the bytes behind each terminator left over
// from longer texts, as the conversion leaves them: the line takes each text up to its end.
TEST(ImportLine, TakesEachTextToItsEndWhateverFollowsIt) {
    const auto clean = [](std::string text) {
        for (char& c : text) c = c == '\x19' || c == '\r' || c == '\n' ? ' ' : c;
        return text;
    };
    // Fills a text array with stray bytes and ends it after length of them.
    const auto fill = [](auto& text, std::size_t length, char first) {
        for (std::size_t i = 0; i + 1 < sizeof text; ++i) text[i] = static_cast<char>(first + static_cast<char>(i % 7));
        text[sizeof text - 1] = '\0';
        text[length] = '\0';
        return std::string(text);
    };
    for (std::size_t length = 0; length <= 60; ++length) {
        ImportRecord r{};
        const std::string day = fill(r.day, std::min<std::size_t>(length, 2), '1');
        const std::string month = fill(r.month_name, std::min<std::size_t>(length, 3), 'J');
        const std::string year = fill(r.year, std::min<std::size_t>(length, 4), '\x18');
        const std::string time = fill(r.time, std::min<std::size_t>(length, 8), '0');
        const std::string call = fill(r.call, std::min<std::size_t>(length, 15), 'Q');
        const std::string code2 = fill(r.code2, std::min<std::size_t>(length, 2), '\n');
        const std::string band = fill(r.band, std::min<std::size_t>(length, 4), '2');
        const std::string mode = fill(r.mode, std::min<std::size_t>(length, 6), 'C');
        const std::string sent = fill(r.report_sent, std::min<std::size_t>(length, 3), '5');
        const std::string received = fill(r.report_received, std::min<std::size_t>(length, 3), '\r');
        const std::string comment = fill(r.comment, length, 'A');
        const std::string frequency = fill(r.frequency, std::min<std::size_t>(length, 8), '7');
        const std::string code6 = fill(r.code6, std::min<std::size_t>(length, 6), 'J');
        const std::string prefix(length % 9, 'P');
        r.prefix = prefix;
        r.qsl_status = length % 2 == 0 ? 'X' : '\0';

        std::string expected = clean(day).append("-").append(clean(month)).append("-").append(clean(year));
        expected.append(" ").append(clean(time)).append("\x19");
        for (const std::string* text : {&call, &prefix, &code2, &band, &mode, &sent, &received}) {
            expected.append(clean(*text)).append("\x19");
        }
        expected.append(length % 2 == 0 ? "X\x19" : "\x19").append(clean(comment)).append("\x19\x19");
        expected.append(clean(frequency)).append("\x19\x19").append(clean(code6)).append("\x19\x19\x19\x19\r\n");

        std::string line = "before";
        write_import_line(r, line);
        EXPECT_EQ(line, std::string("before").append(expected)) << "length " << length;
    }
}

}  // namespace
}  // namespace t2c

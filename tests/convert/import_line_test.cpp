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

}  // namespace
}  // namespace t2c

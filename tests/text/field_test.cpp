#include "text/field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace t2c {
namespace {

using namespace std::string_literals;

// A helper applied to a text; the number read_two_digit gives is written as its digits, "none"
// when it reads none.
struct Row {
    const char* helper;
    std::string text;
    char c;
    std::string expected;
};

const std::vector<Row> ROWS = {
    {"cut_at", "ANNA MARIA     ", ' ', "ANNA"},
    {"cut_at", " 14:30", ' ', ""},
    {"cut_at", "70cm", 'm', "70c"},
    {"cut_at", "20  ", 'm', "20  "},
    {"cut_at", "59+", '+', "59"},
    {"cut_at_double", "NEW YORK CITY       ", ' ', "NEW YORK CITY"},
    {"cut_at_double", "ROMA  ITALY", ' ', "ROMA"},
    {"cut_at_double", "ITALY ", ' ', "ITALY"},
    {"cut_at_double", "   ", ' ', ""},
    {"cut_at_double", "A B", ' ', "A B"},
    {"copy_field", "AB\0CDEFG"s, 0, "AB"},
    {"copy_field", "HELLO", 0, "HELLO"},
    {"read_two_digit", "07", 0, "7"},
    {"read_two_digit", " 7", 0, "7"},
    {"read_two_digit", "7 ", 0, "7"},
    {"read_two_digit", "-1", 0, "-1"},
    {"read_two_digit", "1a", 0, "1"},
    {"read_two_digit", "\t9", 0, "9"},
    {"read_two_digit", "3\0"s, 0, "3"},
    {"read_two_digit", "  ", 0, "none"},
    {"read_two_digit", "ab", 0, "none"},
    {"read_two_digit", "a1", 0, "none"},
    {"read_two_digit", "-", 0, "none"},
    {"read_two_digit", "\0"s "7", 0, "none"},
};

std::string apply(const Row& row) {
    const std::string_view helper = row.helper;
    if (helper == "cut_at") return std::string(cut_at(row.text, row.c));
    if (helper == "cut_at_double") return std::string(cut_at_double(row.text, row.c));
    if (helper == "copy_field") return std::string(copy_field(row.text));
    const auto number = read_two_digit(row.text);
    return number ? std::to_string(*number) : "none";
}

TEST(FieldHelpers, CutCopyAndReadAsTheLogsNeed) {
    for (const Row& row : ROWS) {
        EXPECT_EQ(apply(row), row.expected) << row.helper << " of " << ::testing::PrintToString(row.text);
    }
}

}  // namespace
}  // namespace t2c

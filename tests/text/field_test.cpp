// One call of a field helper a row: the text it gives, or for read_two_digit the number it
// reads, written as its digits, or "none".
#include "text/field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace t2c {
namespace {

using namespace std::string_literals;

struct Row {
    std::string helper, text, expected;
};

const std::vector<Row> ROWS = {
    {"cut_at ' '", "ANNA MARIA     ", "ANNA"}, {"cut_at ' '", " 14:30", ""}, {"cut_at 'm'", "70cm", "70c"},
    {"cut_at 'm'", "20  ", "20  "}, {"cut_at_double ' '", "NEW YORK CITY   ", "NEW YORK CITY"},
    {"cut_at_double ' '", "ROMA  ITALY", "ROMA"}, {"cut_at_double ' '", "ITALY ", "ITALY"},
    {"cut_at_double ' '", "A B", "A B"}, {"cut_at_double ' '", "   ", ""}, {"trim_end", "  A B  ", "  A B"},
    {"ascii_upper", "azAZ`{\xE4", "AZAZ`{\xE4"}, {"ascii_lower", "AZaz@[\xC4", "azaz@[\xC4"},
    {"trim", "  A B  ", "A B"}, {"trim", "   ", ""}, {"digits_value", "019990307", "19990307"},
    {"read_two_digit", "07", "7"}, {"read_two_digit", " 7", "7"}, {"read_two_digit", "7 ", "7"},
    {"read_two_digit", "-1", "-1"}, {"read_two_digit", "1a", "1"}, {"read_two_digit", "\t9", "9"},
    {"read_two_digit", "  ", "none"}, {"read_two_digit", "a1", "none"}, {"read_two_digit", "-", "none"},
    {"read_two_digit", "\0"s "7", "none"},
};

std::string apply(const Row& row) {
    if (row.helper == "cut_at ' '") return std::string(cut_at(row.text, ' '));
    if (row.helper == "cut_at 'm'") return std::string(cut_at(row.text, 'm'));
    if (row.helper == "cut_at_double ' '") return std::string(cut_at_double(row.text, ' '));
    if (row.helper == "trim_end") return std::string(trim_end(row.text));
    if (row.helper == "trim") return std::string(trim(row.text));
    if (row.helper == "ascii_upper" || row.helper == "ascii_lower") {
        std::string cased = row.text;
        for (char& c : cased) c = row.helper == "ascii_upper" ? ascii_upper(c) : ascii_lower(c);
        return cased;
    }
    if (row.helper == "digits_value") return std::to_string(digits_value(row.text));
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

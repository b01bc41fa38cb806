#include "text/field.h"

#include <gtest/gtest.h>

#include <string>

namespace t2c {
namespace {

std::string cut(std::string text, char c) {
    cut_at(text.data(), c);
    return text.c_str();
}

std::string cut_double(std::string text, char c) {
    cut_at_double(text.data(), c);
    return text.c_str();
}

TEST(CutAt, EndsTheTextAtTheFirstOccurrence) {
    EXPECT_EQ(cut("Q1AAA          ", ' '), "Q1AAA");
    EXPECT_EQ(cut("ANNA MARIA     ", ' '), "ANNA");
    EXPECT_EQ(cut(" 14:30", ' '), "");
    EXPECT_EQ(cut("20m ", 'm'), "20");
    EXPECT_EQ(cut("160m", 'm'), "160");
    EXPECT_EQ(cut("70cm", 'm'), "70c");
    EXPECT_EQ(cut("20  ", 'm'), "20  ");
    EXPECT_EQ(cut("59+", '+'), "59");
}

TEST(CutAtDouble, KeepsSingleBlanksBetweenWords) {
    EXPECT_EQ(cut_double("NEW YORK CITY       ", ' '), "NEW YORK CITY");
    EXPECT_EQ(cut_double("ROMA  ITALY", ' '), "ROMA");
    EXPECT_EQ(cut_double("ITALY ", ' '), "ITALY");
    EXPECT_EQ(cut_double("   ", ' '), "");
    EXPECT_EQ(cut_double("A B", ' '), "A B");
    EXPECT_EQ(cut_double("", ' '), "");
}

TEST(ReadTwoDigit, ReadsLikeAWidthTwoDecimalConversion) {
    EXPECT_EQ(read_two_digit("07"), 7);
    EXPECT_EQ(read_two_digit(" 7"), 7);
    EXPECT_EQ(read_two_digit("7 "), 7);
    EXPECT_EQ(read_two_digit("-1"), -1);
    EXPECT_EQ(read_two_digit("+5"), 5);
    EXPECT_EQ(read_two_digit("1a"), 1);
    EXPECT_EQ(read_two_digit("\t9"), 9);
    EXPECT_EQ(read_two_digit(std::string_view("3\0" "9", 3).substr(0, 2)), 3);
}

TEST(ReadTwoDigit, GivesNothingWithoutADigit) {
    EXPECT_EQ(read_two_digit("  "), std::nullopt);
    EXPECT_EQ(read_two_digit("ab"), std::nullopt);
    EXPECT_EQ(read_two_digit("a1"), std::nullopt);
    EXPECT_EQ(read_two_digit("-"), std::nullopt);
    EXPECT_EQ(read_two_digit("+a"), std::nullopt);
    EXPECT_EQ(read_two_digit(""), std::nullopt);
    EXPECT_EQ(read_two_digit(std::string_view("\0" "7", 2)), std::nullopt);
}

TEST(CopyField, StopsAtAZeroByteAndZeroFillsTheRest) {
    char destination[9] = {};
    copy_field(destination, std::string_view("AB\0CDEFG", 8));
    EXPECT_STREQ(destination, "AB");
    for (int i = 2; i < 9; ++i) EXPECT_EQ(destination[i], '\0') << i;

    char whole[6] = {};
    copy_field(whole, "HELLO");
    EXPECT_STREQ(whole, "HELLO");
}

}  // namespace
}  // namespace t2c

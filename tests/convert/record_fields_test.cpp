// The conversion reads its fields a word at a time; these cases hold it to the field helpers'
// own result for texts that end, break or hold zero bytes at every position of a field.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "convert/convert_record.h"
#include "dbf/record_layout.h"
#include "text/field.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

using fixture::Contact;

// copy_field of the whole field, then the cut, exactly as the helpers do it step by step.
std::string helper_cut(const std::string& field, char c) {
    std::vector<char> text(field.size() + 1, '\0');
    copy_field(text.data(), field);
    cut_at(text.data(), c);
    return text.data();
}

std::string helper_cut_double(const std::string& field) {
    std::vector<char> text(field.size() + 1, '\0');
    copy_field(text.data(), field);
    cut_at_double(text.data(), ' ');
    return text.data();
}

// Field contents of the given width: every length of text, a single and a double blank and a
// zero byte at every position, a stop character at every position, and a run of mixed ones.
std::vector<std::string> field_texts(std::size_t width, char stop) {
    std::vector<std::string> texts;
    for (std::size_t length = 0; length <= width; ++length) {
        texts.push_back(std::string(length, 'A') + std::string(width - length, ' '));
    }
    for (std::size_t at = 0; at < width; ++at) {
        std::string text(width, 'B');
        text[at] = ' ';
        texts.push_back(text);
        if (at + 1 < width) text[at + 1] = ' ';
        texts.push_back(text);
        text = std::string(width, 'C');
        text[at] = '\0';
        texts.push_back(text);
        text[at] = stop;
        texts.push_back(text);
    }
    std::uint32_t state = 12345;
    const char alphabet[] = {'D', 'E', ' ', ' ', '\0', 'm', '\t'};
    for (int i = 0; i < 500; ++i) {
        std::string text;
        for (std::size_t j = 0; j < width; ++j) {
            state = state * 1103515245u + 12345u;
            text.push_back(alphabet[(state >> 16) % sizeof alphabet]);
        }
        texts.push_back(text);
    }
    return texts;
}

struct Converted {
    ConvertResult result;
    ImportRecord out{};
};

Converted convert(const Contact& contact, const CountryTable& countries = {}) {
    Converted converted{};
    int seconds_counter = 0;
    converted.result = convert_record(fixture::record_bytes(contact), countries, seconds_counter, converted.out);
    return converted;
}

TEST(RecordFields, CutAtTheirStopAsTheHelpersDo) {
    for (const std::string& text : field_texts(CALL.width, ' ')) {
        const Converted c = convert({.call = text});
        ASSERT_EQ(c.result.verdict, Verdict::accepted);
        EXPECT_EQ(c.out.call, helper_cut(text, ' ')) << testing::PrintToString(text);
    }
    for (const std::string& text : field_texts(BAND.width, 'm')) {
        EXPECT_EQ(convert({.band = text}).out.band, helper_cut(text, 'm')) << testing::PrintToString(text);
    }
    for (const std::string& text : field_texts(REPORT_SENT.width, '+')) {
        const std::string expected = helper_cut(helper_cut(text, ' '), '+');
        const Converted c = convert({.report_sent = text, .report_received = text});
        EXPECT_EQ(c.out.report_sent, expected) << testing::PrintToString(text);
        EXPECT_EQ(c.out.report_received, expected) << testing::PrintToString(text);
    }
    // Exactly one word wide.
    for (const std::string& text : field_texts(FREQUENCY.width, ' ')) {
        EXPECT_EQ(convert({.frequency = text}).out.frequency, helper_cut(text, ' ')) << testing::PrintToString(text);
    }
    // The last field of the record.
    for (const std::string& text : field_texts(CODE6.width, ' ')) {
        EXPECT_EQ(convert({.code6 = text}).out.code6, helper_cut(text, ' ')) << testing::PrintToString(text);
    }
}

TEST(RecordFields, TakeTimesWithTheirSecondsAsTheHelpersDo) {
    for (const std::string& text : field_texts(TIME_INI.width, ' ')) {
        const std::string time = helper_cut(text, ' ');
        const Converted c = convert({.time = text});
        if (time.empty()) {
            EXPECT_EQ(c.result.reason, RejectReason::empty_time) << testing::PrintToString(text);
        } else {
            EXPECT_EQ(c.out.time, time + ":00") << testing::PrintToString(text);
        }
    }
}

TEST(RecordFields, BuildTheCommentAsTheHelpersDo) {
    const std::vector<std::string> places = field_texts(PLACE.width, ' ');
    const std::vector<std::string> names = field_texts(NAME.width, ' ');
    for (std::size_t i = 0; i < places.size(); ++i) {
        const std::string& place = places[i];
        const std::string& name = names[i % names.size()];
        std::string expected = helper_cut(name, ' ');
        if (!expected.empty()) expected += '/';
        expected += place.substr(0, place.find('\0'));
        std::vector<char> comment(expected.begin(), expected.end());
        comment.push_back('\0');
        cut_at_double(comment.data(), ' ');
        EXPECT_EQ(convert({.name = name, .place = place}).out.comment, std::string(comment.data()))
            << testing::PrintToString(name) << " " << testing::PrintToString(place);
    }
}

TEST(RecordFields, LookUpTheCountryAsTheHelpersCutIt) {
    for (const std::string& text : field_texts(COUNTRY.width, ' ')) {
        CountryTable countries;
        add_country(countries, helper_cut_double(text), "HIT");
        EXPECT_EQ(convert({.country = text}, countries).out.prefix, "HIT") << testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace t2c

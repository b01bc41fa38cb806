#include "convert/convert_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dbf/record_layout.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

using fixture::Contact;

CountryTable italy_only() {
    CountryTable table;
    add_country(table, "ITALY", "I");
    add_country(table, "NEW ZEALAND", "ZL");
    return table;
}

struct Converter {
    CountryTable countries = italy_only();
    int seconds_counter = 0;
    ImportRecord out{};

    ConvertResult operator()(const Contact& contact) {
        out = {};
        return convert_record(fixture::record_bytes(contact), countries, seconds_counter, out);
    }
};

TEST(ConvertRecord, PassesOverDeletedRecordsWithoutUsingASecond) {
    Converter convert;
    EXPECT_EQ(convert({.deleted = true}).verdict, Verdict::deleted);
    EXPECT_EQ(convert.seconds_counter, 0);
    EXPECT_STREQ(convert.out.call, "");
}

TEST(ConvertRecord, ChecksTheMonth) {
    Converter convert;
    for (const auto& [date, value] : {std::pair{"19991307", 13}, {"19990007", 0}, {"1999  07", 0},
                                      {"1999ab07", 0}, {"1999-107", -1}}) {
        const ConvertResult result = convert({.date = date});
        EXPECT_EQ(result.verdict, Verdict::rejected) << date;
        EXPECT_EQ(result.reason, RejectReason::month) << date;
        EXPECT_EQ(result.value, value) << date;
        EXPECT_STREQ(convert.out.call, "Q1AAA");
    }
    EXPECT_EQ(convert.seconds_counter, 0);
}

TEST(ConvertRecord, ChecksTheDayAgainstOneToThirtyOneOnly) {
    Converter convert;
    EXPECT_EQ(convert({.date = "19990230"}).verdict, Verdict::accepted);
    for (const auto& [date, value] : {std::pair{"19990332", 32}, {"19990300", 0}, {"199903  ", 0},
                                      {"199903xx", 0}}) {
        const ConvertResult result = convert({.date = date});
        EXPECT_EQ(result.reason, RejectReason::day) << date;
        EXPECT_EQ(result.value, value) << date;
    }
    EXPECT_EQ(convert.seconds_counter, 1);
}

TEST(ConvertRecord, StampsSecondsThatWrapAtSixty) {
    Converter convert;
    convert({});
    EXPECT_STREQ(convert.out.time, "14:30:00");
    convert({});
    EXPECT_STREQ(convert.out.time, "14:30:01");
    for (int i = 2; i < 60; ++i) convert({});
    EXPECT_STREQ(convert.out.time, "14:30:59");
    convert({});
    EXPECT_STREQ(convert.out.time, "14:30:00");
}

TEST(ConvertRecord, HourAndMinuteRejectionsUseUpTheirSecond) {
    Converter convert;
    for (const auto& [time, reason, value] :
         {std::tuple{"24:00", RejectReason::hour, 24}, {"-1:00", RejectReason::hour, -1},
          {"ab:30", RejectReason::hour, -1}, {"14:60", RejectReason::minute, 60},
          {"14:xx", RejectReason::minute, -1}, {"14:-5", RejectReason::minute, -5}}) {
        const ConvertResult result = convert({.time = time});
        EXPECT_EQ(result.reason, reason) << time;
        EXPECT_EQ(result.value, value) << time;
    }
    EXPECT_EQ(convert.seconds_counter, 6);
    EXPECT_EQ(convert({.time = " 1430"}).reason, RejectReason::empty_time);
    EXPECT_EQ(convert({.time = ""}).reason, RejectReason::empty_time);
    EXPECT_EQ(convert.seconds_counter, 6);
}

TEST(ConvertRecord, ReadsShortTimesAtTheirFixedPositions) {
    Converter convert;
    convert.seconds_counter = 7;
    EXPECT_EQ(convert({.time = "14"}).verdict, Verdict::accepted);
    EXPECT_STREQ(convert.out.time, "14:07");
    EXPECT_EQ(convert({.time = "9:30"}).verdict, Verdict::accepted);
    EXPECT_STREQ(convert.out.time, "9:30:08");
}

TEST(ConvertRecord, DerivesTheQslStatusFromBothFlags) {
    Converter convert;
    const auto status = [&](const char* sent, const char* received) {
        convert({.qsl_sent = sent, .qsl_received = received});
        return convert.out.qsl_status;
    };
    EXPECT_EQ(status("B", "D"), 'X');
    EXPECT_EQ(status("S", " "), 'S');
    EXPECT_EQ(status("N", "D"), 'R');
    EXPECT_EQ(status("N", "N"), '\0');
    EXPECT_EQ(status("s", "b"), '\0');
}

TEST(ConvertRecord, BuildsTheCommentFromNamePlaceAndManager) {
    Converter convert;
    const auto comment = [&](const char* name, const char* place, const char* manager) {
        convert({.name = name, .place = place, .manager = manager});
        return std::string(convert.out.comment);
    };
    EXPECT_EQ(comment("ANNA MARIA", "ROMA", ""), "ANNA/ROMA");
    EXPECT_EQ(comment("", "ROMA", ""), "ROMA");
    EXPECT_EQ(comment("ANNA", "", ""), "ANNA/");
    EXPECT_EQ(comment("", "", "Q2BBB"), "/QSL via Q2BBB");
    EXPECT_EQ(comment("ANNA", "", "Q2BBB"), "ANNA//QSL via Q2BBB");
    EXPECT_EQ(comment("ANNA", "NEW YORK CITY", ""), "ANNA/NEW YORK CITY");
    EXPECT_EQ(comment("ANNA", "ROMA  CENTRO", ""), "ANNA/ROMA");
    // The longest possible comment still fits.
    EXPECT_EQ(comment("ABCDEFGHIJKLMNO", "PQRSTUVWXYZ123456789", "Q1234567890Z"),
              "ABCDEFGHIJKLMNO/PQRSTUVWXYZ123456789/QSL via Q1234567890Z");
}

TEST(ConvertRecord, CutsBandModeReportsAndCodes) {
    Converter convert;
    convert({.band = "160m", .frequency = "1.8 MHz", .mode = "RTTY", .report_sent = "59+",
             .report_received = "5 9", .code2 = "*A", .code6 = "JN61 X"});
    EXPECT_STREQ(convert.out.band, "160");
    EXPECT_STREQ(convert.out.frequency, "1.8");
    EXPECT_STREQ(convert.out.mode, "RTTY");
    EXPECT_STREQ(convert.out.report_sent, "59");
    EXPECT_STREQ(convert.out.report_received, "5");
    EXPECT_STREQ(convert.out.code2, "");
    EXPECT_STREQ(convert.out.code6, "JN61");
    convert({.band = "20", .code2 = "*"});
    EXPECT_STREQ(convert.out.band, "20  ");
    EXPECT_STREQ(convert.out.code2, "");
}

TEST(ConvertRecord, LooksTheCountryUpExactly) {
    Converter convert;
    convert({.country = "ITALY"});
    EXPECT_EQ(convert.out.prefix, "I");
    convert({.country = "NEW ZEALAND"});
    EXPECT_EQ(convert.out.prefix, "ZL");
    convert({.country = "Italy"});
    EXPECT_EQ(convert.out.prefix, "??");
    convert({.country = "ITALY  (SICILY)"});
    EXPECT_EQ(convert.out.prefix, "I");
    convert({.country = ""});
    EXPECT_EQ(convert.out.prefix, "??");
    add_country(convert.countries, "", "");
    convert({.country = ""});
    EXPECT_EQ(convert.out.prefix, "");
}

TEST(ConvertRecord, ReadsShortRecordsAsZeroPadded) {
    Converter convert;
    std::string record = fixture::record_bytes({.country = "ITALY"}).substr(0, 143);
    record.resize(FIELDS_END, '\0');
    ImportRecord out{};
    EXPECT_EQ(convert_record(record, convert.countries, convert.seconds_counter, out).verdict,
              Verdict::accepted);
    EXPECT_EQ(out.prefix, "??");  // the record ends inside the country: "ITA"
    EXPECT_STREQ(out.code6, "");
}

std::string report(std::int64_t number, const ConvertResult& result, const char* call) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&text, &size);
    ImportRecord out{};
    std::snprintf(out.call, sizeof out.call, "%s", call);
    write_rejection_report(stream, number, result, out);
    std::fclose(stream);
    std::string copy(text, size);
    std::free(text);
    return copy;
}

TEST(RejectionReport, NamesTheRecordTheFaultAndTheCall) {
    const char* tail = "The record has been excluded from the conversion process.\nCALL: Q1AAA\n\n";
    EXPECT_EQ(report(3, {Verdict::rejected, RejectReason::month, 13}, "Q1AAA"),
              std::string("ERROR: record 3: invalid month [13].\n") + tail);
    EXPECT_EQ(report(4, {Verdict::rejected, RejectReason::day, 0}, "Q1AAA"),
              std::string("ERROR: record 4: invalid day [0].\n") + tail);
    EXPECT_EQ(report(5, {Verdict::rejected, RejectReason::empty_time, 0}, "Q1AAA"),
              std::string("ERROR: record 5: empty TIME_INI field.\n") + tail);
    EXPECT_EQ(report(6, {Verdict::rejected, RejectReason::hour, -1}, "Q1AAA"),
              std::string("ERROR: record 6: invalid hour [-1].\n") + tail);
    EXPECT_EQ(report(3000000000, {Verdict::rejected, RejectReason::minute, 60}, "Q1AAA"),
              std::string("ERROR: record 3000000000: invalid minute [60].\n") + tail);
}

}  // namespace
}  // namespace t2c

// The ADIF writer's options: each offset the minutes it reads, or none.
#include "adif/options.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace t2c::adif {
namespace {

TEST(UtcOffset, IsASignedDecimalNumberOfHoursWithinTheTimeZones) {
    const std::vector<std::pair<std::string, std::optional<int>>> rows = {
        {"5", 300}, {"05", 300}, {"+1", 60}, {"-5.5", -330}, {"5.75", 345}, {"14", 840}, {"-14.000", -840},
        {"0.0083", 0}, {"0.00834", 1}, {"-0.00834", -1}, {"1.0000000001", 60}, {"013", 780},
        {"14.01", std::nullopt}, {"15", std::nullopt}, {"100", std::nullopt}, {"+-5", std::nullopt},
        {"1e1", std::nullopt}, {"5h", std::nullopt}, {".5", std::nullopt}, {"5.", std::nullopt},
        {"", std::nullopt}, {"-", std::nullopt}, {"5,5", std::nullopt}, {"1.2.3", std::nullopt},
    };
    for (const auto& [text, minutes] : rows) EXPECT_EQ(read_utc_offset(text), minutes) << text;
}

TEST(Arguments, TakeTheOptionsThenExactlyTheLogAndTheOutput) {
    const char* full[] = {"p", "--utc-offset", "-2", "--station-callsign", "Q0ME", "LOG.DBF", "OUT.ADI"};
    const std::optional<Arguments> read = read_arguments(7, full);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->log.utc_offset_minutes, -120);
    EXPECT_EQ(read->log.station_callsign, "Q0ME");
    EXPECT_STREQ(read->log_path, "LOG.DBF");
    EXPECT_STREQ(read->output_path, "OUT.ADI");
    const char* empty_callsign[] = {"p", "--station-callsign", "", "LOG.DBF", "OUT.ADI"};
    const char* unknown[] = {"p", "--utc", "1", "LOG.DBF", "OUT.ADI"};
    const char* three_files[] = {"p", "A", "B", "C"};
    const char* no_value[] = {"p", "--utc-offset", nullptr};
    EXPECT_FALSE(read_arguments(2, no_value));
    EXPECT_FALSE(read_arguments(5, empty_callsign));
    EXPECT_FALSE(read_arguments(5, unknown));
    EXPECT_FALSE(read_arguments(4, three_files));
    EXPECT_FALSE(read_arguments(2, three_files));
}

}  // namespace
}  // namespace t2c::adif

// Standard output and standard error sent to one file, as a user's "2>&1" does: record reports
// are buffered by the program, and must still come out whole and in their old place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tools/dbf_builder.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace t2c {
namespace {

using fixture::DbfBuilder;

// Where two long texts part, or npos when they are equal: a short message instead of both.
std::size_t first_difference(const std::string& text, const std::string& expected) {
    if (text == expected) return std::string::npos;
    std::size_t i = 0;
    while (i < text.size() && i < expected.size() && text[i] == expected[i]) ++i;
    return i;
}

TEST(Streams, ReportsKeepTheirPlaceWhenBothStreamsShareAFile) {
    if (std::getenv("T2C_RUNNER") != nullptr) GTEST_SKIP() << "needs the program to run under the shell";
    testing::TempDir dir;
    testing::write_file(dir / "dxcc.txt", "I\tITALY\n");
    DbfBuilder log;
    std::string reports;
    // More reports than one buffer holds, among accepted records.
    for (int i = 1; i <= 2000; ++i) {
        const std::string call = std::string("Q").append(std::to_string(i));
        if (i % 2 == 0) {
            log.contact({.call = call});
            continue;
        }
        log.contact({.date = "19991307", .call = call});
        reports.append("ERROR: record ").append(std::to_string(i)).append(": invalid month [13].\n");
        reports.append("The record has been excluded from the conversion process.\nCALL: ").append(call).append("\n\n");
    }
    testing::write_file(dir / "LOG.DBF", log.bytes());

    const std::string banner =
        "Tarnwick2Corvane LogFile Converter, v1.10\n"
        "To get more info about the program please read README.TXT file.\n\n"
        "*** Conversion in progress...\n";
    const std::string summary = "*** Conversion completed.\nProcessed records:\t2000\nConverted records:\t1000\n";
    const auto run_merged = [&](const std::string& before) {
        const std::string command =
            std::string(before).append("'").append(testing::program_path()).append("' LOG.DBF OUT.ASC 2>&1");
        return testing::run_program(dir.path(), {"-c", command}, "/bin/sh");
    };

    // Standard output into a file leaves its buffer only at the end, after every report.
    testing::ProgramResult result = run_merged("");
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(first_difference(result.out, reports + banner + summary), std::string::npos);

    // Line by line, as on a console: the reports come between the progress line and the summary.
    // (stdbuf preloads a library, which a sanitizer build must be told to accept.)
    result = run_merged("ASAN_OPTIONS=verify_asan_link_order=0 stdbuf -oL ");
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(first_difference(result.out, banner + reports + summary), std::string::npos);
}

}  // namespace
}  // namespace t2c

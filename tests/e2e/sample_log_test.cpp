// The sample log and the country list that ship with the converter, converted as a user would.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "tools/sample_log.h"

namespace t2c {
namespace {

namespace fs = std::filesystem;
using testing::read_file;

const fs::path SOURCE_DIR = T2C_SOURCE_DIR;

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find(separator, begin)) != std::string::npos;) {
        parts.push_back(text.substr(begin, end - begin));
        begin = end + separator.size();
    }
    parts.push_back(text.substr(begin));
    return parts;
}

struct Conversion {
    testing::ProgramResult result;
    std::vector<std::string> lines;  // the import lines, without their CR LF
};

// The shipped sample and dxcc.txt in a folder of their own, converted once for all the tests.
const Conversion& sample_conversion() {
    static const Conversion conversion = [] {
        testing::TempDir dir;
        fs::copy_file(SOURCE_DIR / "dxcc.txt", dir / "dxcc.txt");
        fs::copy_file(SOURCE_DIR / "examples/sample.dbf", dir / "sample.dbf");
        Conversion c{testing::run_program(dir.path(), {"sample.dbf", "sample.asc"}), {}};
        c.lines = split(read_file(dir / "sample.asc"), "\r\n");
        EXPECT_EQ(c.lines.back(), "") << "the output does not end in CR LF";
        c.lines.pop_back();
        return c;
    }();
    return conversion;
}

TEST(SampleLog, IsWhatItsGeneratorWrites) {
    const bool current = read_file(SOURCE_DIR / "examples/sample.dbf") == fixture::sample_log();
    EXPECT_TRUE(current) << "examples/sample.dbf is stale: run make_sample_log examples/sample.dbf";
}

TEST(SampleLog, SkipsItsDeletedRecordAndReportsItsImpossibleDate) {
    const std::vector<fixture::Contact> contacts = fixture::sample_contacts();
    const auto deleted = std::count_if(contacts.begin(), contacts.end(),
                                       [](const fixture::Contact& c) { return c.deleted; });
    EXPECT_EQ(deleted, 1);
    const Conversion& conversion = sample_conversion();
    EXPECT_EQ(conversion.result.exit_code, 0);
    EXPECT_EQ(conversion.result.err,
              "ERROR: record 30: invalid day [32].\n"
              "The record has been excluded from the conversion process.\nCALL: Q4EFH\n\n");
    std::string summary = "*** Conversion completed.\nProcessed records:\t";
    summary.append(std::to_string(contacts.size()))
        .append("\nConverted records:\t")
        .append(std::to_string(contacts.size() - 2))
        .append("\n");
    EXPECT_TRUE(conversion.result.out.ends_with(summary)) << conversion.result.out;
    EXPECT_EQ(conversion.lines.size(), contacts.size() - 2);
}

TEST(SampleLog, GivesEveryContactAPrefixButTheOneSpelledUnlikeTheList) {
    std::vector<std::string> unknown;
    for (const std::string& line : sample_conversion().lines) {
        const std::vector<std::string> fields = split(line, "\x19");
        ASSERT_EQ(fields.size(), 18u) << line;  // seventeen fields, each ended by 0x19
        if (fields[2] == "??") unknown.push_back(fields[1]);
        EXPECT_NE(fields[2], "") << line;
    }
    EXPECT_EQ(unknown, std::vector<std::string>{"Q9RST"});
}

// The README shows import lines with each 0x19 written as ^Y; they must stay true to the sample.
TEST(SampleLog, ConvertsToTheLinesTheReadmeShows) {
    const std::vector<std::string>& lines = sample_conversion().lines;
    int shown = 0;
    for (const std::string& shown_line : split(read_file(SOURCE_DIR / "README.md"), "\n")) {
        const bool import_line = !shown_line.empty() && shown_line[0] >= '0' && shown_line[0] <= '9';
        if (!import_line || shown_line.find("^Y") == std::string::npos) continue;
        std::string line;
        for (const std::string& field : split(shown_line, "^Y")) line.append(field).push_back('\x19');
        line.pop_back();
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << shown_line;
        ++shown;
    }
    EXPECT_GE(shown, 2);
}

}  // namespace
}  // namespace t2c

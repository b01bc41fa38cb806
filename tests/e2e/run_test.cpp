// The built program, run as a user runs it, in a folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/expected_text.h"
#include "tools/dbf_builder.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace t2c {
namespace {

namespace fs = std::filesystem;
using fixture::DbfBuilder;
using testing::ProgramResult;
using namespace expected;

const std::string DXCC = "# test list\nI\tITALY\nF\tFRANCE\n";

class Run : public ::testing::Test {
protected:
    testing::TempDir dir;

    void give(const std::string& name, const std::string& bytes) { testing::write_file(dir / name, bytes); }
    std::string file(const std::string& name) { return testing::read_file(dir / name); }
    ProgramResult convert(const std::vector<std::string>& args = {"LOG.DBF", "OUT.ASC"}) {
        return testing::run_program(dir.path(), args);
    }
};

TEST_F(Run, ConvertsTheWorkedContactByteForByte) {
    give("dxcc.txt", DXCC);
    give("LOG.DBF", DbfBuilder{}.contact({.qsl_sent = "B"}).bytes());
    const ProgramResult result = convert();
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(1, 1));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(file("OUT.ASC"),
              "07-MAR-1999 14:30:00\x19Q1AAA\x19I\x19XY\x19" "20\x19SSB\x19" "59\x19" "57\x19S\x19"
              "ANNA/ROMA\x19\x19" "14.195\x19\x19" "ABCDEF\x19\x19\x19\x19\r\n");
}

TEST_F(Run, AnswersAWrongArgumentCountWithUsage) {
    // The emulator hands a Windows program its own path with backslashes, so only the file
    // name is shown there.
    const std::string name = testing::under_runner() ? fs::path(testing::program_path()).filename().string()
                                                     : testing::program_path();
    for (const auto& args : {std::vector<std::string>{}, {"LOG.DBF"}, {"A", "B", "C"}}) {
        const ProgramResult result = convert(args);
        EXPECT_EQ(result.exit_code, 3);
        EXPECT_EQ(result.out, BANNER + usage(name));
        EXPECT_EQ(result.err, "");
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(Run, ShowsTheProgramNameFromAfterItsLastBackslash) {
    if (testing::under_runner()) {
        GTEST_SKIP() << "a Windows file name cannot hold a backslash; windows_test.cpp starts the program "
                        "by a full Windows path instead";
    }
    const fs::path link = dir / "C:\\tools\\t2c.exe";
    fs::create_symlink(testing::program_path(), link);
    const ProgramResult result = testing::run_program(dir.path(), {}, link.string());
    EXPECT_EQ(result.exit_code, 3);
    EXPECT_EQ(result.out, BANNER + usage("t2c.exe"));
}

TEST_F(Run, CountsNothingInALogWithoutRecords) {
    give("dxcc.txt", DXCC);
    give("LOG.DBF", DbfBuilder{}.bytes());
    const ProgramResult result = convert();
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(0, 0));
    EXPECT_EQ(file("OUT.ASC"), "");
}

}  // namespace
}  // namespace t2c

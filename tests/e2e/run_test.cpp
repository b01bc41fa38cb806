// The built program, run as a user runs it, in a folder of its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "e2e/messages.h"
#include "tools/dbf_builder.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace t2c {
namespace {

namespace fs = std::filesystem;
using fixture::Contact;
using fixture::DbfBuilder;
using testing::ProgramResult;

using testing::BANNER;
using testing::PROGRESS;
using testing::summary;

const std::string DXCC = "# test list\nI\tITALY\nF\tFRANCE\n";

std::string usage(const std::string& name) {
    return "Syntax:\n " + name + " tarnwick_file.dbf outfile.asc\n\n"
           "tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\n"
           "outfile.asc\t\toutput file to import in Corvane v6.xx\n";
}

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

TEST_F(Run, ReportsRejectedRecordsByTheirNumberAndKeepsTheOthersInOrder) {
    give("dxcc.txt", DXCC);
    give("LOG.DBF", DbfBuilder{}
                        .contact({.call = "Q1AAA", .country = "FRANCE"})
                        .contact({.deleted = true, .call = "Q2BBB"})
                        .contact({.date = "19991307", .call = "Q3CCC"})
                        .contact({.time = "25:00", .call = "Q4DDD"})
                        .contact({.time = "12:61", .call = "Q5EEE"})
                        .contact({.time = "", .call = "Q6FFF"})
                        .contact({.date = "199903xx", .call = "Q7GGG"})
                        .contact({.call = "Q8HHH", .country = "MARS"})
                        .bytes());
    const ProgramResult result = convert();
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(8, 2));
    const std::string excluded = "The record has been excluded from the conversion process.\n";
    EXPECT_EQ(result.err, "ERROR: record 3: invalid month [13].\n" + excluded + "CALL: Q3CCC\n\n" +
                              "ERROR: record 4: invalid hour [25].\n" + excluded + "CALL: Q4DDD\n\n" +
                              "ERROR: record 5: invalid minute [61].\n" + excluded + "CALL: Q5EEE\n\n" +
                              "ERROR: record 6: empty TIME_INI field.\n" + excluded + "CALL: Q6FFF\n\n" +
                              "ERROR: record 7: invalid day [0].\n" + excluded + "CALL: Q7GGG\n\n");
    const std::string output = file("OUT.ASC");
    // Seconds: 00 for Q1AAA, 01 and 02 used up by the hour and minute rejections.
    EXPECT_EQ(output.substr(0, 28), "07-MAR-1999 14:30:00\x19Q1AAA\x19" "F");
    const std::size_t second = output.find("\r\n") + 2;
    EXPECT_EQ(output.substr(second, 30), "07-MAR-1999 14:30:03\x19Q8HHH\x19??\x19");
    EXPECT_EQ(output.size(), output.rfind("\r\n") + 2);
}

TEST_F(Run, AnswersAWrongArgumentCountWithUsage) {
    for (const auto& args : {std::vector<std::string>{}, {"LOG.DBF"}, {"A", "B", "C"}}) {
        const ProgramResult result = convert(args);
        EXPECT_EQ(result.exit_code, 3);
        EXPECT_EQ(result.out, BANNER + usage(testing::program_path()));
        EXPECT_EQ(result.err, "");
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(Run, ShowsTheProgramNameFromAfterItsLastBackslash) {
    const fs::path link = dir / "C:\\tools\\t2c.exe";
    fs::create_symlink(testing::program_path(), link);
    const ProgramResult result = testing::run_program(dir.path(), {}, link.string());
    EXPECT_EQ(result.exit_code, 3);
    EXPECT_EQ(result.out, BANNER + usage("t2c.exe"));
}

TEST_F(Run, FailsOnAMissingSourceBeforeCreatingTheOutput) {
    give("dxcc.txt", DXCC);
    const ProgramResult result = convert();
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, BANNER);
    EXPECT_EQ(result.err, "fopen(): input file: No such file or directory\n");
    EXPECT_FALSE(fs::exists(dir / "OUT.ASC"));
}

TEST_F(Run, FailsOnAMissingCountryListLeavingAnEmptyOutput) {
    give("LOG.DBF", DbfBuilder{}.contact({}).bytes());
    const ProgramResult result = convert();
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, BANNER);
    EXPECT_EQ(result.err, "fopen(): DXCC database file.: No such file or directory\n");
    EXPECT_EQ(file("OUT.ASC"), "");
}

TEST_F(Run, FailsOnAnOutputThatCannotBeOpened) {
    give("dxcc.txt", DXCC);
    give("LOG.DBF", DbfBuilder{}.contact({}).bytes());
    const ProgramResult result = convert({"LOG.DBF", "missing/OUT.ASC"});
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(result.out, BANNER);
    EXPECT_EQ(result.err, "fopen(): output file: No such file or directory\n");
}

TEST_F(Run, FailsOnASourceShorterThanItsHeader) {
    give("dxcc.txt", DXCC);
    fs::create_directory(dir / "folder.dbf");
    for (const std::string source : {"", "\x03\x63\x03\x07", "folder.dbf"}) {
        std::string name = source;
        if (source != "folder.dbf") {
            name = "short.dbf";
            give(name, source);
        }
        const ProgramResult result = convert({name, "OUT.ASC"});
        EXPECT_EQ(result.exit_code, 1) << name;
        EXPECT_EQ(result.out, BANNER) << name;
        EXPECT_EQ(result.err.rfind("read(): input file: ", 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        EXPECT_EQ(file("OUT.ASC"), "") << name;
    }
}

TEST_F(Run, CountsNothingInALogWithoutRecords) {
    give("dxcc.txt", DXCC);
    give("LOG.DBF", DbfBuilder{}.bytes());
    const ProgramResult result = convert();
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(0, 0));
    EXPECT_EQ(file("OUT.ASC"), "");
}

TEST_F(Run, ConvertsRecordsLongerThanFourHundredFortyBytes) {
    give("dxcc.txt", DXCC);
    std::string record = fixture::record_bytes({.qsl_sent = "B"});
    record.resize(1000, 'Z');
    give("LOG.DBF", DbfBuilder{}.raw_record(record).raw_record(record).record_length(1000).bytes());
    const ProgramResult result = convert();
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(2, 2));
    EXPECT_EQ(file("OUT.ASC").substr(0, 28), "07-MAR-1999 14:30:00\x19Q1AAA\x19I");
}

TEST_F(Run, ReportsAFullDiskInsteadOfASummary) {
    give("dxcc.txt", DXCC);
    give("LOG.DBF", DbfBuilder{}.contact({}).bytes());
    const ProgramResult result = convert({"LOG.DBF", "/dev/full"});
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(result.out, BANNER + PROGRESS);
    EXPECT_EQ(result.err, "write(): output file: No space left on device\n");
}

TEST_F(Run, RefusesToWriteOverTheSourceOrTheCountryList) {
    const std::string log = DbfBuilder{}.contact({}).bytes();
    give("dxcc.txt", DXCC);
    give("LOG.DBF", log);
    fs::create_symlink("LOG.DBF", dir / "link.dbf");
    fs::create_hard_link(dir / "dxcc.txt", dir / "hard.txt");
    for (const std::string output : {"LOG.DBF", "./LOG.DBF", "link.dbf", "dxcc.txt", "hard.txt"}) {
        const ProgramResult result = convert({"LOG.DBF", output});
        EXPECT_EQ(result.exit_code, 2) << output;
        EXPECT_EQ(result.out, BANNER) << output;
        EXPECT_EQ(result.err.rfind("fopen(): output file: ", 0), 0u) << result.err;
        EXPECT_EQ(file("LOG.DBF"), log);
        EXPECT_EQ(file("dxcc.txt"), DXCC);
    }
    // The same through the source argument: reading the log through a link is still reading it.
    const ProgramResult result = convert({"link.dbf", "LOG.DBF"});
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(file("LOG.DBF"), log);
}

}  // namespace
}  // namespace t2c

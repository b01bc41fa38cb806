// The built program against broken logs, broken country lists, unusable outputs and too little
// memory: each case checks the exit code, every byte printed, and that neither the log nor
// dxcc.txt was touched.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "e2e/expected_text.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

namespace fs = std::filesystem;
using fixture::Contact;
using fixture::DbfBuilder;
using expected::BANNER;
using expected::PROGRESS;
using testing::ProgramResult;
using expected::summary;

const std::string EXCLUDED = "The record has been excluded from the conversion process.\n";
const std::string DXCC = "# test list\nI\tITALY\nF\tFRANCE\n";
const Contact WORKED{.qsl_sent = "B"};

std::string two_digits(int number) {
    char text[12];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

// The import line of the worked contact, with its seconds stamp; without its codes when the
// record ends before them.
std::string worked_line(int seconds, bool with_codes = true) {
    return std::string("07-MAR-1999 14:30:")
        .append(two_digits(seconds))
        .append("\x19Q1AAA\x19I\x19")
        .append(with_codes ? "XY" : "")
        .append("\x19" "20\x19SSB\x19" "59\x19" "57\x19S\x19" "ANNA/ROMA\x19\x19" "14.195\x19\x19")
        .append(with_codes ? "ABCDEF" : "")
        .append("\x19\x19\x19\x19\r\n");
}

std::string month_report(long record, const std::string& call) {
    return "ERROR: record " + std::to_string(record) + ": invalid month [0].\n" + EXCLUDED + "CALL: " + call + "\n\n";
}

// Splits an import file into its lines' field texts.
std::vector<std::vector<std::string>> import_lines(const std::string& bytes) {
    std::vector<std::vector<std::string>> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = bytes.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
        std::vector<std::string> fields;
        std::size_t field_begin = begin;
        for (std::size_t sep; (sep = bytes.find('\x19', field_begin)) < end; field_begin = sep + 1) {
            fields.push_back(bytes.substr(field_begin, sep - field_begin));
        }
        lines.push_back(fields);
    }
    EXPECT_EQ(begin, bytes.size()) << "the import file ends in a whole line";
    return lines;
}

// A folder with a log and a dxcc.txt (either may be left out); every run checks afterwards that
// both are exactly as they were.
struct Folder {
    testing::TempDir dir;
    std::optional<std::string> log = DbfBuilder{}.contact(WORKED).bytes();
    std::optional<std::string> dxcc = DXCC;

    std::string file(const std::string& name) const { return testing::read_file(dir / name); }

    ProgramResult convert(const std::vector<std::string>& args = {"LOG.DBF", "OUT.ASC"},
                          const std::string& program = "") const {
        if (log) testing::write_file(dir / "LOG.DBF", *log);
        if (dxcc) testing::write_file(dir / "dxcc.txt", *dxcc);
        const ProgramResult result = testing::run_program(dir.path(), args, program);
        if (log) {
            EXPECT_EQ(file("LOG.DBF"), *log) << "the log was touched";
        }
        if (dxcc) {
            // Compared without printing both: a large list runs to megabytes.
            EXPECT_TRUE(file("dxcc.txt") == *dxcc) << "dxcc.txt was touched";
        }
        return result;
    }

    // The same run with its address space limited by the shell's ulimit -v.
    ProgramResult convert_within(long kilobytes) const {
        return convert({"-c", "ulimit -v " + std::to_string(kilobytes) + " && exec \"$0\" \"$@\"",
                        testing::program_path(), "LOG.DBF", "OUT.ASC"},
                       "/bin/sh");
    }
};

TEST(HostileLog, SourcesWithoutAWholeHeaderEndTheRunWithCodeOne) {
    const std::string too_short = "read(): input file: shorter than its 32-byte dBASE header\n";
    // Windows will not open a folder as a file at all, so there the run ends at the open, before
    // the output exists; Linux opens it and fails at the first read.
    const bool folder_refused_at_open = testing::under_runner();
    struct Case {
        const char* what;
        std::optional<std::string> bytes;  // none: no file at all, or a folder
        bool folder;
        std::string err;
    };
    for (const Case& c : {Case{"missing", std::nullopt, false, "fopen(): input file: No such file or directory\n"},
                          Case{"folder", std::nullopt, true,
                               folder_refused_at_open ? "fopen(): input file: Permission denied\n"
                                                      : "read(): input file: Is a directory\n"},
                          Case{"empty", "", false, too_short},
                          Case{"31 bytes", DbfBuilder{}.contact(WORKED).bytes().substr(0, 31), false, too_short}}) {
        Folder folder;
        folder.log = c.bytes;
        if (c.folder) fs::create_directory(folder.dir / "LOG.DBF");
        const ProgramResult result = folder.convert();
        EXPECT_EQ(result.exit_code, 1) << c.what;
        EXPECT_EQ(result.out, BANNER) << c.what;
        EXPECT_EQ(result.err, c.err) << c.what;
        // A missing log stops the run before the output exists; later failures leave it empty.
        if (c.bytes || (c.folder && !folder_refused_at_open)) {
            EXPECT_EQ(folder.file("OUT.ASC"), "") << c.what;
        } else {
            EXPECT_FALSE(fs::exists(folder.dir / "OUT.ASC")) << c.what;
        }
        if (c.folder) {
            EXPECT_TRUE(fs::is_empty(folder.dir / "LOG.DBF"));
        }
    }
}

TEST(HostileLog, ARecordLengthOfZeroOrAHeaderBeyondTheEndYieldsNoRecords) {
    std::string past_end = DbfBuilder{}.contact(WORKED).bytes();
    past_end[8] = '\xFF';
    past_end[9] = '\xFF';
    for (const std::string& log : {DbfBuilder{}.contact(WORKED).record_length(0).bytes(), past_end}) {
        Folder folder;
        folder.log = log;
        const ProgramResult result = folder.convert();
        EXPECT_EQ(result.exit_code, 0);
        EXPECT_EQ(result.out, BANNER + PROGRESS + summary(0, 0));
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(folder.file("OUT.ASC"), "");
    }
}

TEST(HostileLog, ARecordLengthOfOneMakesEveryByteARecord) {
    Folder folder;
    // With the end-of-file byte, four one-byte records: a deleted one and three without a date.
    folder.log = DbfBuilder{}.raw_record("*").raw_record(" ").raw_record("A").record_length(1).bytes();
    const ProgramResult result = folder.convert();
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(4, 0));
    EXPECT_EQ(result.err, month_report(2, "") + month_report(3, "") + month_report(4, ""));
    EXPECT_EQ(folder.file("OUT.ASC"), "");
}

TEST(HostileLog, FieldsBeyondAShortRecordReadAsEmpty) {
    Folder folder;
    const std::string record = fixture::record_bytes(WORKED).substr(0, 150);  // ends inside the country
    folder.log = DbfBuilder{}.raw_record(record).raw_record(record).record_length(150).bytes();
    const ProgramResult result = folder.convert();
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(2, 2));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(folder.file("OUT.ASC"), worked_line(0, false) + worked_line(1, false));
}

TEST(HostileLog, LongRecordsConvertByTheirFirstBytes) {
    for (const std::uint16_t length : {std::uint16_t{1000}, std::uint16_t{65535}}) {
        Folder folder;
        std::string record = fixture::record_bytes(WORKED);
        record.resize(length, '\x19');
        folder.log = DbfBuilder{}.raw_record(record).raw_record(record).record_length(length).bytes();
        const ProgramResult result = folder.convert();
        EXPECT_EQ(result.exit_code, 0) << length;
        EXPECT_EQ(result.out, BANNER + PROGRESS + summary(2, 2)) << length;
        EXPECT_EQ(result.err, "") << length;
        EXPECT_EQ(folder.file("OUT.ASC"), worked_line(0) + worked_line(1)) << length;
    }
}

TEST(HostileLog, OnlyWholeRecordsCountWhateverFollowsThem) {
    const std::string two = DbfBuilder{}.contact(WORKED).contact(WORKED).end_of_file_byte(false).bytes();
    const std::string record = fixture::record_bytes(WORKED);
    struct Case {
        const char* what;
        std::string log;
        long processed;
        std::string err;
    };
    for (const Case& c : {
             Case{"truncated last record", two + record.substr(0, 208), 2, ""},
             Case{"truncated record after the end mark", two + "\x1A" + record.substr(0, 150), 2, ""},
             Case{"garbage after the end mark", two + "\x1A" "garbage\r\n\x1A\x19", 2, ""},
             // A whole record's worth after the end mark is a record like any other, and reported.
             Case{"a record's worth of garbage", two + "\x1A" + std::string(208, 'x'), 3,
                  "ERROR: record 3: invalid month [0].\n" + EXCLUDED + "CALL: xxxxxxxxxxxxxxx\n\n"},
         }) {
        Folder folder;
        folder.log = c.log;
        const ProgramResult result = folder.convert();
        EXPECT_EQ(result.exit_code, 0) << c.what;
        EXPECT_EQ(result.out, BANNER + PROGRESS + summary(c.processed, 2)) << c.what;
        EXPECT_EQ(result.err, c.err) << c.what;
        EXPECT_EQ(folder.file("OUT.ASC"), worked_line(0) + worked_line(1)) << c.what;
    }
}

TEST(HostileOutput, AFullDiskStopsTheRunAtItsFirstFailedWrite) {
    Folder folder;
    // Enough contacts that the lines fill the output buffer several times over.
    DbfBuilder builder;
    for (int i = 0; i < 40000; ++i) builder.contact(WORKED);
    folder.log = builder.bytes();
    const ProgramResult result = folder.convert({"LOG.DBF", "/dev/full"});
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(result.out, BANNER + PROGRESS);
    EXPECT_EQ(result.err, "write(): output file: No space left on device\n");
}

TEST(HostileOutput, AnOutputThatCannotBeCreatedEndsTheRunWithCodeTwo) {
    // Windows names a folder that cannot be written as a file differently.
    const std::string folder_reason = testing::under_runner() ? "Permission denied" : "Is a directory";
    for (const auto& [output, reason] : {std::pair<std::string, std::string>{"missing/OUT.ASC", "No such file or directory"},
                                         {"folder", folder_reason}}) {
        Folder folder;
        fs::create_directory(folder.dir / "folder");
        const ProgramResult result = folder.convert({"LOG.DBF", output});
        EXPECT_EQ(result.exit_code, 2) << output;
        EXPECT_EQ(result.out, BANNER) << output;
        EXPECT_EQ(result.err, "fopen(): output file: " + reason + "\n") << output;
        EXPECT_TRUE(fs::is_empty(folder.dir / "folder"));
    }
}

TEST(HostileOutput, NeitherTheLogNorDxccTxtIsEverTheOutput) {
    Folder folder;
    fs::create_directory(folder.dir / "sub");
    fs::create_symlink("LOG.DBF", folder.dir / "log-link");
    fs::create_symlink("dxcc.txt", folder.dir / "dxcc-link");
    fs::create_symlink(folder.dir / "dxcc.txt", folder.dir / "sub" / "absolute-link");
    testing::write_file(folder.dir / "dxcc.txt", *folder.dxcc);
    fs::create_hard_link(folder.dir / "dxcc.txt", folder.dir / "hard-link");
    const std::string is_log = "fopen(): output file: it is the input file\n";
    const std::string is_dxcc = "fopen(): output file: it is the DXCC database file\n";
    for (const auto& [output, err] : {std::pair<std::string, std::string>{"LOG.DBF", is_log},
                                      {(folder.dir / "LOG.DBF").string(), is_log},
                                      {"sub/../LOG.DBF", is_log},
                                      {"log-link", is_log},
                                      {"dxcc.txt", is_dxcc},
                                      {"./dxcc.txt", is_dxcc},
                                      {"dxcc-link", is_dxcc},
                                      {"sub/absolute-link", is_dxcc},
                                      {"hard-link", is_dxcc}}) {
        const ProgramResult result = folder.convert({"LOG.DBF", output});
        EXPECT_EQ(result.exit_code, 2) << output;
        EXPECT_EQ(result.out, BANNER) << output;
        EXPECT_EQ(result.err, err) << output;
    }
    // Even with no dxcc.txt to open, the log is refused as the output before anything is opened.
    folder.dxcc.reset();
    fs::remove(folder.dir / "dxcc.txt");
    const ProgramResult result = folder.convert({"log-link", "LOG.DBF"});
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(result.err, is_log);
}

TEST(HostileCountryList, AMissingOrUnreadableListEndsTheRunWithCodeOne) {
    for (const auto& [folder_list, err] :
         {std::pair<bool, std::string>{false, "fopen(): DXCC database file.: No such file or directory\n"},
          // Windows refuses to open a folder; Linux opens it and fails at the first read.
          {true, testing::under_runner() ? "fopen(): DXCC database file.: Permission denied\n"
                                         : "read(): DXCC database file.: Is a directory\n"}}) {
        Folder folder;
        folder.dxcc.reset();
        if (folder_list) fs::create_directory(folder.dir / "dxcc.txt");
        const ProgramResult result = folder.convert();
        EXPECT_EQ(result.exit_code, 1);
        EXPECT_EQ(result.out, BANNER);
        EXPECT_EQ(result.err, err);
        EXPECT_EQ(folder.file("OUT.ASC"), "");
    }
}

// Converts one worked contact per country name with the given dxcc.txt; the prefix of each line.
std::vector<std::string> prefixes_found(const std::string& dxcc, const std::vector<std::string>& countries) {
    Folder folder;
    folder.dxcc = dxcc;
    DbfBuilder builder;
    for (const std::string& country : countries) builder.contact({.qsl_sent = "B", .country = country});
    folder.log = builder.bytes();
    const ProgramResult result = folder.convert();
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(static_cast<long>(countries.size()), static_cast<long>(countries.size())));
    EXPECT_EQ(result.err, "");
    std::vector<std::string> prefixes;
    for (const auto& fields : import_lines(folder.file("OUT.ASC"))) {
        EXPECT_EQ(fields.size(), 17u);
        prefixes.push_back(fields.size() > 2 ? fields[2] : "<short line>");
    }
    return prefixes;
}

using Prefixes = std::vector<std::string>;

TEST(HostileCountryList, AZeroByteEndsItsLine) {
    EXPECT_EQ(prefixes_found(std::string("I\tITA\0LY\nF\0\tFRANCE\n", 20), {"ITA", "ITALY", "FRANCE", ""}),
              (Prefixes{"I", "??", "??", ""}));
}

TEST(HostileCountryList, ACtrlZEndsTheList) {
    EXPECT_EQ(prefixes_found("I\tITALY\r\n\x1A" "F\tFRANCE\r\n", {"ITALY", "FRANCE"}), (Prefixes{"I", "??"}));
}

TEST(HostileCountryList, LongLinesAreReadInPiecesOf249) {
    const std::string dxcc = "X\t" + std::string(247, 'x') + "F\tFRANCE\n" + std::string(600, '#') + "\nI\tITALY\n";
    EXPECT_EQ(prefixes_found(dxcc, {std::string(40, 'x'), "FRANCE", "ITALY"}), (Prefixes{"??", "F", "I"}));
}

TEST(HostileCountryList, ALoneCrIsAnOrdinaryCharacterButNeverReachesTheImportFile) {
    EXPECT_EQ(prefixes_found("I\r\tITALY\rF\tFRANCE\nE\rA\tSPAIN\n", {"ITALY", "FRANCE", "SPAIN"}),
              (Prefixes{"??", "??", "E A"}));
}

// The sanitizers reserve terabytes of address space before main, so under ulimit -v the program
// cannot start at all; the plain build covers memory running out. An emulator (T2C_RUNNER) would be
// limited instead of the program.
bool address_space_can_be_limited() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return false;
#else
    return std::getenv("T2C_RUNNER") == nullptr;
#endif
}

TEST(HostileMemory, RunningOutWhileLoadingALargeDxccTxtEndsTheRunWithCodeFive) {
    if (!address_space_can_be_limited()) GTEST_SKIP() << "the address space cannot be limited in this build";
    Folder folder;
    std::string dxcc;
    for (int i = 0; i < 500000; ++i) dxcc.append("P\t").append(std::to_string(i)).append("\n");
    folder.dxcc = dxcc;
    const ProgramResult result = folder.convert_within(32 * 1024);
    EXPECT_EQ(result.exit_code, 5);
    EXPECT_EQ(result.out, BANNER);
    EXPECT_EQ(result.err, "malloc(): Cannot allocate memory\n");
    EXPECT_EQ(folder.file("OUT.ASC"), "");
}

TEST(HostileMemory, RunningOutAtAnyPointIsReportedNeverAnAbort) {
    if (!address_space_can_be_limited()) GTEST_SKIP() << "the address space cannot be limited in this build";
    Folder folder;
    // From too little to load the program at all up to enough to finish, in steps small enough
    // to fail in each of the run's allocations on the way.
    bool started = false;
    bool completed = false;
    for (long kilobytes = 1024; kilobytes <= 64 * 1024 && !completed; kilobytes += 128) {
        const ProgramResult result = folder.convert_within(kilobytes);
        const std::string limit = std::to_string(kilobytes) + " KiB";
        if (!started && result.exit_code == 127) {
            EXPECT_NE(result.err.find("error while loading shared libraries"), std::string::npos) << limit;
        } else if (!started && result.err == "terminate called without an active exception\n") {
            // Loaded, but with no heap even for the C++ runtime's reserve: nothing can be thrown,
            // so no program that reports through exceptions can report here.
        } else if (result.exit_code == 5) {
            started = true;
            EXPECT_TRUE(result.out == BANNER || result.out == BANNER + PROGRESS) << limit;
            EXPECT_EQ(result.err, "malloc(): Cannot allocate memory\n") << limit;
        } else {
            ASSERT_EQ(result.exit_code, 0) << limit << ": " << result.err;
            started = true;
            EXPECT_EQ(result.out, BANNER + PROGRESS + summary(1, 1));
            EXPECT_EQ(folder.file("OUT.ASC"), worked_line(0));
            completed = true;
        }
    }
    EXPECT_TRUE(completed) << "64 MiB were not enough for one contact";
}

// A log of every kind of record, in an irregular order: each kind with the report it must get
// (none for accepted and deleted records) and whether its start time uses up a second.
struct RecordKind {
    Contact contact;
    std::string report;  // the first line of the report, after "ERROR: record N: "
    bool accepted;
    bool stamped;
};

const std::vector<RecordKind> RECORD_KINDS = {
    {{.qsl_sent = "B"}, "", true, true},
    {{.country = "FRANCE"}, "", true, true},
    {{.time = "9:30"}, "", true, true},
    {{.date = "19990230"}, "", true, true},
    {{.deleted = true, .date = "19991399"}, "", false, false},
    {{.date = "19991307"}, "invalid month [13].", false, false},
    {{.date = "1999  07"}, "invalid month [0].", false, false},
    {{.date = "19990332"}, "invalid day [32].", false, false},
    {{.date = "199903xx"}, "invalid day [0].", false, false},
    {{.time = ""}, "empty TIME_INI field.", false, false},
    {{.time = "24:00"}, "invalid hour [24].", false, true},
    {{.time = "ab:30"}, "invalid hour [-1].", false, true},
    {{.time = "14:60"}, "invalid minute [60].", false, true},
    {{.time = "14:x3"}, "invalid minute [-1].", false, true},
};

TEST(MixedLog, EveryRejectedRecordIsReportedOnceAndEveryAcceptedOneKeptInSourceOrder) {
    // Enough records that the log and the import file each span several buffers.
    constexpr int RECORDS = 40000;
    DbfBuilder builder;
    std::vector<std::string> reports;
    std::vector<std::pair<std::string, std::string>> accepted;  // call, time
    int seconds = 0;
    unsigned pick = 12345;
    for (int number = 1; number <= RECORDS; ++number) {
        pick = pick * 1103515245u + 12345u;
        // Accepted records twice as often as the others.
        const std::size_t choice = (pick >> 16) % (RECORD_KINDS.size() + 4);
        const RecordKind& kind = RECORD_KINDS[choice < RECORD_KINDS.size() ? choice : choice % 4];
        Contact contact = kind.contact;
        contact.call = std::string("Q").append(std::to_string(number));
        builder.contact(contact);
        if (kind.accepted) accepted.emplace_back(contact.call, std::string(contact.time).append(":").append(two_digits(seconds)));
        if (!kind.report.empty()) {
            reports.push_back(std::string("ERROR: record ")
                                  .append(std::to_string(number))
                                  .append(": ")
                                  .append(kind.report)
                                  .append("\n")
                                  .append(EXCLUDED)
                                  .append("CALL: ")
                                  .append(contact.call));
        }
        if (kind.stamped) seconds = (seconds + 1) % 60;
    }
    Folder folder;
    folder.log = builder.bytes();
    const ProgramResult result = folder.convert();
    ASSERT_EQ(result.exit_code, 0) << result.err.substr(0, 500);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(RECORDS, static_cast<long>(accepted.size())));

    std::vector<std::string> reported;
    for (std::size_t begin = 0, end; (end = result.err.find("\n\n", begin)) != std::string::npos; begin = end + 2) {
        reported.push_back(result.err.substr(begin, end - begin));
    }
    ASSERT_EQ(reported.size(), reports.size());
    for (std::size_t i = 0; i < reports.size(); ++i) ASSERT_EQ(reported[i], reports[i]) << "report " << i;
    EXPECT_EQ(result.err.size(), result.err.rfind("\n\n") + 2);

    const auto lines = import_lines(folder.file("OUT.ASC"));
    ASSERT_EQ(lines.size(), accepted.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 17u) << "line " << i;
        ASSERT_EQ(lines[i][1], accepted[i].first) << "line " << i;
        ASSERT_EQ(lines[i][0].substr(12), accepted[i].second) << "line " << i;
    }
}

}  // namespace
}  // namespace t2c

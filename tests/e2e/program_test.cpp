// The built program, run as a user runs it, in a folder of its own: a row per case, each with
// the files it is given and every byte it must print, report and write. Under T2C_RUNNER (the
// Windows build under Wine) the same rows run against the .exe, with Windows' own answers
// where the two systems differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "tools/dbf_builder.h"
#include "tools/sample_log.h"

namespace t2c {
namespace {

namespace fs = std::filesystem;
using fixture::Contact;
using fixture::DbfBuilder;
using testing::under_runner;
using namespace std::string_literals;

const std::string BANNER =
    "Tarnwick2Corvane LogFile Converter, v1.10\n"
    "To get more info about the program please read README.TXT file.\n\n";
const std::string PROGRESS = BANNER + "*** Conversion in progress...\n";
const std::string DXCC = "# test list\nI\tITALY\nF\tFRANCE\n";
const Contact WORKED{.qsl_sent = "B"};
constexpr char FIELD_SEP = 0x19;

std::string summary(long processed, long converted) {
    return "*** Conversion completed.\nProcessed records:\t" + std::to_string(processed) + "\nConverted records:\t" +
           std::to_string(converted) + "\n";
}

std::string completed(long processed, long converted) { return PROGRESS + summary(processed, converted); }

std::string report(long record, const std::string& what, const std::string& call = "Q1AAA") {
    return "ERROR: record " + std::to_string(record) + ": " + what +
           "\nThe record has been excluded from the conversion process.\nCALL: " + call + "\n\n";
}

std::string usage(const std::string& name) {
    return BANNER + "Syntax:\n " + name + " tarnwick_file.dbf outfile.asc\n\ntarnwick_file.dbf\tTarnwick or " +
           "Tarnwick Lite 4.5 logfile\noutfile.asc\t\toutput file to import in Corvane v6.xx\n";
}

// The import line of the worked contact with its seconds stamp, its prefix and its codes.
std::string worked_line(int seconds, const std::string& prefix = "I", bool codes = true) {
    const std::string stamp = {static_cast<char>('0' + seconds % 60 / 10), static_cast<char>('0' + seconds % 10)};
    return "07-MAR-1999 14:30:" + stamp + "\x19Q1AAA\x19" + prefix + "\x19" + (codes ? "XY" : "") +
           "\x19" "20\x19SSB\x19" "59\x19" "57\x19S\x19" "ANNA/ROMA\x19\x19" "14.195\x19\x19" + (codes ? "ABCDEF" : "") +
           "\x19\x19\x19\x19\r\n";
}

std::string worked_lines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += worked_line(i);
    return lines;
}

// One worked contact per country, and the lines they must get with these prefixes.
std::string log_of_countries(const std::vector<std::string>& countries) {
    DbfBuilder log;
    for (const std::string& country : countries) log.contact({.qsl_sent = "B", .country = country});
    return log.bytes();
}

std::string lines_with_prefixes(const std::vector<std::string>& prefixes) {
    std::string lines;
    for (std::size_t i = 0; i < prefixes.size(); ++i) lines += worked_line(static_cast<int>(i), prefixes[i]);
    return lines;
}

std::string log_of(std::initializer_list<Contact> contacts, int worked_after = 0) {
    DbfBuilder log;
    for (const Contact& contact : contacts) log.contact(contact);
    for (int i = 0; i < worked_after; ++i) log.contact(WORKED);
    return log.bytes();
}

std::string record_of_length(std::size_t length, char fill) {
    std::string record = fixture::record_bytes(WORKED);
    record.resize(length, fill);
    return record;
}

// The test's fault and console stand-in, preloaded into the program (see support/fail_io.cpp).
testing::RunOptions preloaded(std::vector<std::string> settings) {
    settings.push_back("LD_PRELOAD=" T2C_FAIL_IO_LIBRARY);
    settings.push_back("ASAN_OPTIONS=verify_asan_link_order=0");
    return {.env = settings};
}

void make_folder(const fs::path& path) { fs::create_directories(path); }

enum class System { any, linux_only, windows_only };

struct Case {
    const char* name = "";
    std::optional<std::string> log = log_of({WORKED});  // LOG.DBF; none: there is none
    std::optional<std::string> dxcc = DXCC;
    std::vector<std::string> args = {"LOG.DBF", "OUT.ASC"};  // "{dir}" stands for the folder
    int code = 0;
    std::string out = "";
    std::string err = "";
    std::optional<std::string> output = std::nullopt;  // the output file's bytes; none: it must not exist
    std::function<void(const fs::path&)> setup = {};
    testing::RunOptions options = {};
    System system = System::any;
    const char* output_file = nullptr;  // where the output is, when not as the arguments name it
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// The program as a Windows path under the emulator, which hands it that path with backslashes.
std::string shown_name() {
    return under_runner() ? fs::path(testing::program_path()).filename().string() : testing::program_path();
}

const std::vector<Case>& cases() {
    static const std::vector<Case> table = {
        {.name = "ConvertsTheWorkedContactByteForByte", .out = completed(1, 1),
         .output = "07-MAR-1999 14:30:00\x19Q1AAA\x19I\x19XY\x19" "20\x19SSB\x19" "59\x19" "57\x19S\x19"
                   "ANNA/ROMA\x19\x19" "14.195\x19\x19" "ABCDEF\x19\x19\x19\x19\r\n"},
        {.name = "AnswersAWrongArgumentCountWithUsage", .args = {"LOG.DBF", "B", "C"}, .code = 3,
         .out = usage(shown_name())},
        {.name = "ShowsTheProgramNameFromAfterItsLastBackslash", .args = {}, .code = 3, .out = usage("t2c.exe"),
         .setup = [](const fs::path& dir) { fs::create_symlink(testing::program_path(), dir / "C:\\tools\\t2c.exe"); },
         .options = {.program = "{dir}/C:\\tools\\t2c.exe"}, .system = System::linux_only},
        {.name = "ShowsTheProgramFileWhenStartedByAFullWindowsPath", .args = {}, .code = 3,
         .out = usage("tarnwick2corvane.exe"),
         .setup = [](const fs::path& dir) {
             make_folder(dir / "Program Files");
             fs::copy_file(testing::program_path(), dir / "Program Files" / "tarnwick2corvane.exe");
         },
         .options = {.program = "{dir}\\Program Files\\tarnwick2corvane.exe"}, .system = System::windows_only},

        // Logs that cannot be read.
        {.name = "AMissingLogEndsTheRunBeforeTheOutputExists", .log = std::nullopt, .code = 1, .out = BANNER,
         .err = "fopen(): input file: No such file or directory\n"},
        {.name = "AFolderAsTheLogCannotBeRead", .log = std::nullopt, .code = 1, .out = BANNER,
         .err = "read(): input file: Is a directory\n", .output = "",
         .setup = [](const fs::path& dir) { make_folder(dir / "LOG.DBF"); }, .system = System::linux_only},
        {.name = "AFolderAsTheLogIsRefusedAtTheOpenOnWindows", .log = std::nullopt, .code = 1, .out = BANNER,
         .err = "fopen(): input file: Permission denied\n",
         .setup = [](const fs::path& dir) { make_folder(dir / "LOG.DBF"); }, .system = System::windows_only},
        {.name = "AWildcardIsNotExpandedOnWindows", .args = {"*.DBF", "OUT.ASC"}, .code = 1, .out = BANNER,
         .err = "fopen(): input file: Invalid argument\n", .system = System::windows_only},
        {.name = "ALogShorterThanItsHeaderEndsTheRun", .log = log_of({WORKED}).substr(0, 31), .code = 1, .out = BANNER,
         .err = "read(): input file: shorter than its 32-byte dBASE header\n", .output = ""},

        // Records of any length, and whatever follows the last whole one.
        {.name = "FieldsBeyondAShortRecordReadAsEmpty",
         .log = DbfBuilder{}.raw_record(record_of_length(150, ' ')).raw_record(record_of_length(150, ' ')).record_length(150).bytes(),
         .out = completed(2, 2), .output = worked_line(0, "I", false) + worked_line(1, "I", false)},
        {.name = "LongRecordsConvertByTheirFirstBytes",
         .log = DbfBuilder{}.raw_record(record_of_length(65535, '\x19')).raw_record(record_of_length(65535, '\x19'))
                    .record_length(65535).bytes(),
         .out = completed(2, 2), .output = worked_lines(2)},
        {.name = "OnlyWholeRecordsCountWhateverTheHeaderSays",
         .log = DbfBuilder{}.contact(WORKED).contact(WORKED).record_count(0).bytes() + std::string(208, 'x') +
                fixture::record_bytes(WORKED).substr(0, 100),
         .out = completed(3, 2), .err = report(3, "invalid month [0].", "xxxxxxxxxxxxxxx"), .output = worked_lines(2)},
        {.name = "KeepsEveryByteOfTheLogWithoutTextTranslation",
         .log = log_of({{.call = "Q1AAA", .remarks = "\x1A", .qsl_sent = "B"}, {.name = "AN\r\nNA", .qsl_sent = "B"}}),
         .out = completed(2, 2), .output = [] {
             std::string second = worked_line(1);
             return worked_line(0) + second.replace(second.find("ANNA"), 4, "AN  NA");
         }()},

        // Outputs that cannot be written, and outputs that are the program's own inputs.
        {.name = "AnOutputInAMissingFolderEndsTheRunWithCodeTwo", .args = {"LOG.DBF", "missing/OUT.ASC"}, .code = 2,
         .out = BANNER, .err = "fopen(): output file: No such file or directory\n"},
        {.name = "AFolderAsTheOutputEndsTheRunWithCodeTwo", .args = {"LOG.DBF", "folder"}, .code = 2, .out = BANNER,
         .err = under_runner() ? "fopen(): output file: Permission denied\n" : "fopen(): output file: Is a directory\n",
         .output = std::nullopt, .setup = [](const fs::path& dir) { make_folder(dir / "folder"); },
         .output_file = "folder/OUT.ASC"},
        {.name = "TheLogThroughALinkIsNeverTheOutput", .args = {"LOG.DBF", "sub/../log-link"}, .code = 2, .out = BANNER,
         .err = "fopen(): output file: it is the input file\n", .output = log_of({WORKED}),
         .setup = [](const fs::path& dir) {
             make_folder(dir / "sub");
             fs::create_symlink("LOG.DBF", dir / "log-link");
         }},
        {.name = "DxccTxtThroughAHardLinkIsNeverTheOutput", .args = {"LOG.DBF", "hard-link"}, .code = 2, .out = BANNER,
         .err = "fopen(): output file: it is the DXCC database file\n", .output = DXCC,
         .setup = [](const fs::path& dir) { fs::create_hard_link(dir / "dxcc.txt", dir / "hard-link"); }},
        {.name = "TheLogByAnotherSpellingIsNeverTheOutputOnWindows", .args = {"LOG.DBF", "{dir}\\.\\Log.Dbf."}, .code = 2,
         .out = BANNER, .err = "fopen(): output file: it is the input file\n", .output = log_of({WORKED}),
         .system = System::windows_only, .output_file = "LOG.DBF"},
        {.name = "DxccTxtInAnotherCaseIsNeverTheOutputOnWindows", .args = {"LOG.DBF", "DXCC.TXT"}, .code = 2,
         .out = BANNER, .err = "fopen(): output file: it is the DXCC database file\n", .output = DXCC,
         .system = System::windows_only, .output_file = "dxcc.txt"},
        {.name = "AFileOfTheLogsNameInAnotherFolderIsWrittenOver", .args = {"LOG.DBF", "copy/LOG.DBF"},
         .out = completed(1, 1), .output = worked_lines(1),
         .setup = [](const fs::path& dir) {
             make_folder(dir / "copy");
             testing::write_file(dir / "copy" / "LOG.DBF", "old");
         }},
        {.name = "AFullDiskKeepsWhatWasWrittenAndReportsNothingAfter",
         .log = log_of({WORKED, {.date = "19991307"}, {.date = "19991307"}, {.date = "19991307"}}, 5999), .code = 2,
         .out = PROGRESS,
         .err = report(2, "invalid month [13].") + report(3, "invalid month [13].") + report(4, "invalid month [13].") +
                "write(): output file: No space left on device\n",
         .output = worked_lines(6000).substr(0, 100'000),
         .options = preloaded({"T2C_FAIL_FILE=OUT.ASC", "T2C_FAIL_WRITE_AFTER=100000"})},
        {.name = "AReadErrorKeepsTheLinesOfTheRecordsBeforeIt", .log = log_of({}, 6000), .code = 1, .out = PROGRESS,
         .err = "read(): input file: Input/output error\n", .output = worked_lines(5000),
         .options = preloaded({"T2C_FAIL_FILE=LOG.DBF", "T2C_FAIL_READ_AFTER=" + std::to_string(32 + 5000 * 209 + 100)})},
        {.name = "ReportsComeBetweenTheProgressAndTheSummaryOnAConsole",
         .log = log_of({{.date = "19991307"}, WORKED, {.date = "19990332"}}),
         .out = PROGRESS + report(1, "invalid month [13].") + report(3, "invalid day [32].") + summary(3, 1),
         .output = worked_lines(1), .options = [] {
             testing::RunOptions options = preloaded({"T2C_LINE_BUFFERED=1"});
             options.merge_streams = true;
             return options;
         }()},

        // Country lists: missing, unreadable, and every kind of line.
        {.name = "AMissingDxccTxtEndsTheRunWithCodeOne", .dxcc = std::nullopt, .code = 1, .out = BANNER,
         .err = "fopen(): DXCC database file.: No such file or directory\n", .output = ""},
        {.name = "AFolderAsDxccTxtCannotBeRead", .dxcc = std::nullopt, .code = 1, .out = BANNER,
         .err = under_runner() ? "fopen(): DXCC database file.: Permission denied\n"
                               : "read(): DXCC database file.: Is a directory\n",
         .output = "", .setup = [](const fs::path& dir) { make_folder(dir / "dxcc.txt"); }},
        // A zero byte ends a line, a line of 249 characters is read on, a lone CR is an ordinary
        // character (but reaches no import file), prefixes are written whole, Ctrl-Z ends the list.
        {.name = "ReadsEveryKindOfLineOfDxccTxt",
         .log = log_of_countries({"ITA", "ITALY", "", "SPAIN", std::string(40, 'x'), "GERMANY\rX", "JAPAN", "FRANCE"}),
         .dxcc = "# list\r\nI\tITA"s + '\0' + "LY\r\nF" + '\0' + "\tFRANCE\nX\t" + std::string(247, 'x') +
                 "E\tSPAIN\nD\rL\tGERMANY\rX\nVERYLONGPREFIX\tJAPAN\r\n\x1A" "F\tFRANCE\r\n",
         .out = completed(8, 8), .output = lines_with_prefixes({"I", "??", "", "E", "??", "D L", "VERYLONGPREFIX", "??"})},
        {.name = "RunningOutOfMemoryForDxccTxtEndsTheRunWithCodeFive",
         .dxcc = [] {
             std::string list;
             for (int i = 0; i < 500'000; ++i) list += "P\t" + std::to_string(i) + "\n";
             return list;
         }(),
         .code = 5, .out = BANNER, .err = "malloc(): Cannot allocate memory\n", .output = "",
         .options = {.memory_limit_kib = 32 * 1024}},
    };
    return table;
}

// The sanitizers reserve terabytes of address space before main, so under a limit the program
// cannot start at all; an emulator would be limited instead of the program.
bool address_space_can_be_limited() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return false;
#else
    return !under_runner();
#endif
}

std::string spelled(std::string text, const fs::path& dir) {
    std::string folder = dir.string();
    if (under_runner()) {
        folder = "Z:" + folder;  // how Wine shows the Unix root
        std::replace(folder.begin(), folder.end(), '/', '\\');
    }
    if (const std::size_t at = text.find("{dir}"); at != std::string::npos) text.replace(at, 5, folder);
    return text;
}

std::string crlf_lines(const std::string& text) {
    std::string lines;
    for (const char c : text) lines += c == '\n' ? "\r\n" : std::string(1, c);
    return lines;
}

class Program : public ::testing::TestWithParam<Case> {};

TEST_P(Program, GivesEveryByteItMust) {
    const Case& c = GetParam();
    if (c.system == System::linux_only && under_runner()) GTEST_SKIP() << "a case of the Linux program";
    if (c.system == System::windows_only && !under_runner()) GTEST_SKIP() << "a case of the Windows program";
    if (!c.options.env.empty() && under_runner()) GTEST_SKIP() << "preloading reaches the emulator, not the program";
    if (c.options.memory_limit_kib > 0 && !address_space_can_be_limited()) {
        GTEST_SKIP() << "the address space cannot be limited in this build";
    }
    testing::TempDir dir;
    if (c.log) testing::write_file(dir / "LOG.DBF", *c.log);
    if (c.dxcc) testing::write_file(dir / "dxcc.txt", *c.dxcc);
    if (c.setup) c.setup(dir.path());
    std::vector<std::string> args;
    for (const std::string& arg : c.args) args.push_back(spelled(arg, dir.path()));
    testing::RunOptions options = c.options;
    options.program = spelled(options.program, dir.path());

    const testing::ProgramResult result = testing::run_program(dir.path(), args, options);
    EXPECT_EQ(result.exit_code, c.code);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    const fs::path output = dir / (c.output_file ? c.output_file : c.args.size() >= 2 ? c.args[1] : "OUT.ASC");
    if (c.output) {
        // Compared without printing both: an output runs to megabytes.
        EXPECT_TRUE(fs::exists(output) && testing::read_file(output) == *c.output) << "the output file differs";
    } else {
        EXPECT_FALSE(fs::exists(output)) << "an output file was made";
    }
    EXPECT_TRUE(!c.log || testing::read_file(dir / "LOG.DBF") == *c.log) << "the log was touched";
    EXPECT_TRUE(!c.dxcc || testing::read_file(dir / "dxcc.txt") == *c.dxcc) << "dxcc.txt was touched";
    // A console program's own lines end in CR LF on Windows, as they always did there.
    EXPECT_TRUE(!under_runner() || result.raw_out == crlf_lines(result.out));
}

INSTANTIATE_TEST_SUITE_P(Cases, Program, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

TEST(ProgramWithLittleMemory, ReportsRunningOutAtAnyPointNeverAnAbort) {
    if (!address_space_can_be_limited()) GTEST_SKIP() << "the address space cannot be limited in this build";
    testing::TempDir dir;
    testing::write_file(dir / "LOG.DBF", log_of({WORKED}));
    testing::write_file(dir / "dxcc.txt", DXCC);
    // From too little to load the program at all up to enough to finish, in steps small enough
    // to fail in each of the run's allocations on the way.
    bool started = false;
    for (long kib = 1024; kib <= 64 * 1024; kib += 128) {
        const testing::ProgramResult result = testing::run_program(dir.path(), {"LOG.DBF", "OUT.ASC"}, {.memory_limit_kib = kib});
        SCOPED_TRACE(std::to_string(kib) + " KiB: " + result.err);
        if (!started && (result.exit_code == 127 || result.err == "terminate called without an active exception\n")) {
            // Not loaded, or loaded with no heap even for the C++ runtime's reserve: nothing can
            // be thrown, so no program that reports through exceptions can report here.
            continue;
        }
        started = true;
        if (result.exit_code == 0) {
            EXPECT_EQ(result.out, completed(1, 1));
            EXPECT_EQ(testing::read_file(dir / "OUT.ASC"), worked_lines(1));
            return;
        }
        ASSERT_EQ(result.exit_code, 5);
        EXPECT_TRUE(result.out == BANNER || result.out == PROGRESS);
        EXPECT_EQ(result.err, "malloc(): Cannot allocate memory\n");
    }
    ADD_FAILURE() << "64 MiB were not enough for one contact";
}

// The sample and the country list that ship, converted as a user would; the README shows two
// of its lines, with each 0x19 written as ^Y.
TEST(ShippedSample, ConvertsToTheLinesTheReadmeShows) {
    const fs::path source = T2C_SOURCE_DIR;
    ASSERT_TRUE(testing::read_file(source / "examples/sample.dbf") == fixture::sample_log())
        << "examples/sample.dbf is stale: run make_sample_log examples/sample.dbf";
    testing::TempDir dir;
    fs::copy_file(source / "dxcc.txt", dir / "dxcc.txt");
    fs::copy_file(source / "examples/sample.dbf", dir / "sample.dbf");
    const testing::ProgramResult result = testing::run_program(dir.path(), {"sample.dbf", "sample.asc"});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, completed(40, 38));
    EXPECT_EQ(result.err, report(30, "invalid day [32].", "Q4EFH"));
    const std::string output = testing::read_file(dir / "sample.asc");
    int shown = 0;
    const std::string readme = testing::read_file(source / "README.md");
    for (std::size_t at = readme.find("\n0"); at != std::string::npos; at = readme.find("\n0", at + 1), ++shown) {
        std::string line = readme.substr(at + 1, readme.find('\n', at + 1) - at - 1);
        for (std::size_t mark; (mark = line.find("^Y")) != std::string::npos;) line.replace(mark, 2, 1, FIELD_SEP);
        EXPECT_NE(output.find(line.append("\r\n")), std::string::npos) << line;
    }
    EXPECT_GE(shown, 2);
}

}  // namespace
}  // namespace t2c

// The built program, run as a user runs it, in a folder of its own: a row per case, each with
// the files it is given and every byte it must print, report and write. Under T2C_RUNNER (the
// Windows build under Wine) the same rows run against the .exe, with Windows' own answers
// where the two systems differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "dbf/record_layout.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

namespace fs = std::filesystem;
using fixture::Contact;
using fixture::DbfBuilder;
using testing::under_runner;
using namespace std::string_literals;

const std::string BANNER =
    "Tarnwick2Corvane LogFile Converter, v1.10\nTo get more info about the program please read README.TXT file.\n\n";
const std::string PROGRESS = BANNER + "*** Conversion in progress...\n";
const std::string DXCC = "# test list\nI\tITALY\nF\tFRANCE\n";
const Contact WORKED{.qsl_sent = "B"};
std::string summary(long processed, long converted) {
    return "*** Conversion completed.\nProcessed records:\t" + std::to_string(processed) + "\nConverted records:\t" + std::to_string(converted) + "\n";
}
std::string completed(long processed, long converted) { return PROGRESS + summary(processed, converted); }

std::string report(long record, const std::string& what, const std::string& call = "Q1AAA") {
    return "ERROR: record " + std::to_string(record) + ": " + what +
           "\nThe record has been excluded from the conversion process.\nCALL: " + call + "\n\n";
}

const std::string ADIF_BANNER =
    "Tarnwick2ADIF LogFile Converter, v1.10\nTo get more info about the program please read README.TXT file.\n\n";
const std::string ADIF_HEADER = "Contacts of a Tarnwick logbook, written by tarnwick2adif 1.10\r\n<ADIF_VER:5>3.1.7\r\n"
    "<PROGRAMID:13>TARNWICK2ADIF\r\n<PROGRAMVERSION:4>1.10\r\n<CREATED_TIMESTAMP:15>20231114 221320\r\n<EOH>\r\n";
std::string adif_completed(long processed, long converted, long app_fields, long respelled, long without_dxcc, long disagree = 0) {
    return ADIF_BANNER + "*** Conversion in progress...\n" + summary(processed, converted) + "Contacts with application fields:\t" +
           std::to_string(app_fields) + "\nContacts respelled in ASCII:\t" + std::to_string(respelled) +
           "\nContacts with COUNTRY but no DXCC:\t" + std::to_string(without_dxcc) +
           "\nContacts whose callsign and country disagree:\t" + std::to_string(disagree) + "\n";
}
std::string adif_usage(const std::string& name) {
    return ADIF_BANNER + "Syntax:\n " + name + " [--station-callsign CALL] "
           "[--utc-offset HOURS] tarnwick_file.dbf outfile.adi\n\ntarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\n"
           "outfile.adi\t\tADIF 3.1.7 file for any logger\n--station-callsign CALL\tthe callsign used on the air, written "
           "in every contact\n--utc-offset HOURS\thours the log's times are ahead of UTC (such as 1 or -5.5)\n";
}

std::string usage(const std::string& name) {
    return BANNER + "Syntax:\n " + name + " tarnwick_file.dbf outfile.asc\n\ntarnwick_file.dbf\tTarnwick or " +
           "Tarnwick Lite 4.5 logfile\noutfile.asc\t\toutput file to import in Corvane v6.xx\n";
}

// The import line of the worked contact with its seconds stamp and its prefix.
std::string worked_line(int seconds, const std::string& prefix = "I") {
    const std::string stamp = {static_cast<char>('0' + seconds % 60 / 10), static_cast<char>('0' + seconds % 10)};
    return "07-MAR-1999 14:30:" + stamp + "\x19Q1AAA\x19" + prefix + "\x19XY"
           "\x19" "20\x19SSB\x19" "59\x19" "57\x19S\x19" "ANNA/ROMA\x19\x19" "14.195\x19\x19" "ABCDEF"
           "\x19\x19\x19\x19\r\n";
}

// The lines of count worked contacts, or of one a prefix, seconds stamped from 0.
std::string worked_lines(int count, const std::vector<std::string>& prefixes = {}) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += worked_line(i, prefixes.empty() ? "I" : prefixes[static_cast<std::size_t>(i)]);
    return lines;
}

std::string log_of(std::initializer_list<Contact> contacts, int times = 1) {
    DbfBuilder log;
    for (int i = 0; i < times; ++i) std::for_each(contacts.begin(), contacts.end(), [&](const Contact& c) { log.contact(c); });
    return log.bytes();
}

// The test's fault and console stand-in, preloaded into the program (see support/fail_io.cpp).
testing::RunOptions preloaded(std::vector<std::string> env, bool merge_streams = false) {
    env.insert(env.end(), {"LD_PRELOAD=" T2C_FAIL_IO_LIBRARY, "ASAN_OPTIONS=verify_asan_link_order=0"});
    return {.env = env, .merge_streams = merge_streams};
}

enum class System { any, linux_only, windows_only };

struct Case {
    std::string name = "";
    bool check = false;  // the check program's case, not the converter's
    bool adif = false;   // the ADIF writer's
    std::optional<std::string> log = log_of({WORKED});  // LOG.DBF; none: there is none
    std::optional<std::string> dxcc = DXCC;
    std::vector<std::string> args = {"LOG.DBF", "OUT.ASC"};
    int code = 0;
    std::string out = "";
    std::string err = "";
    std::optional<std::string> output = std::nullopt;  // the output file's bytes; none: it must not exist
    std::function<void(const fs::path&)> setup = {};
    testing::RunOptions options = {};
    System system = System::any;
    const char* output_file = nullptr;  // where the output is, when not as the arguments name it
    bool fails_before_writing = false;  // and so runs again with an old output, which must stay
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const std::string CHECK_DXCC = "I\tITALY\nF\tFRANCE\nDL\tFED. REP. OF GERMANY\nW\tU.S.A.\nK\tUS A\n";

// The logbook's layout as a dBASE library names its fields, with unread bytes and more at the
// end, and the band of another type.
std::vector<LogField> renamed_layout() {
    const char* names[] = {"QDATE", "TIME_ON", "TIME_OFF", "QBAND", "QFREQ", "QMODE", "QCALL", "RST_S", "RST_R", "OP_NAME", "QTH_CITY",
                           "NOTES", "QSL_S", "QSL_R", "QSL_DATE", "MANAGER", "PAD", "DXCC_NAME", "CONT", "EXTRA", "GRID"};
    std::vector<LogField> fields(LOG_FIELDS.begin(), LOG_FIELDS.end());
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i].name = names[i];
    fields[3].type = 'N';
    fields.push_back({"MEMO", 'M', 10, Take::unread, "", "", ""});
    return fields;
}

// The logbook's fields as another program wrote them: the callsign narrowed (a field after it
// keeps the rest in place), the QSL sent flag and the two-character code of another type, and a
// field before the six-character code narrowed, which moves it and cuts the record short.
std::vector<LogField> misread_layout() {
    std::vector<LogField> fields(LOG_FIELDS.begin(), LOG_FIELDS.end());
    fields[6].width = 12;
    fields.insert(fields.begin() + 7, {"PAD", 'C', 3, Take::unread, "", "", ""});
    fields[13].type = 'L';
    fields[19].name = "CODE\x02";
    fields[19].type = 'N';
    fields[20].width = 18;
    return fields;
}

// One contact for each spelling of the DXCC lists, and the import lines the shipped list must
// give them: a spelling of a current entity its prefix, even where a deleted entity was spelt
// so too, a deleted entity the prefix of its time, and ?? where the lists give it none.
std::pair<std::string, std::string> every_listed_spelling() {
    std::istringstream lines(testing::read_file(T2C_SOURCE_DIR "/data/dxcc-names.tsv"));
    std::vector<std::pair<std::string, std::string>> rows;  // name, prefix
    std::map<std::string, std::string> current;
    for (std::string line, code, prefix, name, status; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::getline(std::getline(std::getline(std::getline(fields, code, '\t'), prefix, '\t'), name, '\t'), status, '\t');
        if (line[0] == '#' || code == "code") continue;
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
        rows.emplace_back(name, prefix.empty() ? "??" : prefix);
        if (status == "current") current[name] = prefix;
    }
    DbfBuilder log;
    std::vector<std::string> prefixes;
    for (const auto& [name, prefix] : rows) {
        log.contact({.qsl_sent = "B", .country = name});
        prefixes.push_back(current.contains(name) ? current[name] : prefix);
    }
    return {log.bytes(), worked_lines(static_cast<int>(rows.size()), prefixes)};
}

// The program as a Windows path under the emulator, which hands it that path with backslashes.
std::string shown_name(const std::string& program) {
    return under_runner() ? fs::path(program).filename().string() : program;
}

// A run that fails before it writes leaves no output of its own; each such row runs once more
// with an output of an earlier run there, which must stay as it was.
std::vector<Case> with_old_outputs(std::vector<Case> rows) {
    for (std::size_t i = 0, count = rows.size(); i < count; ++i) {
        if (!rows[i].fails_before_writing) continue;
        Case kept = rows[i];
        kept.name += "AndKeepsAnOldOutput";
        kept.output = "an earlier run's lines\r\n";
        kept.setup = [setup = rows[i].setup, old = *kept.output, name = kept.args.back()](const fs::path& dir) {
            if (setup) setup(dir);
            testing::write_file(dir / name, old);
        };
        rows.push_back(kept);
    }
    return rows;
}

const std::vector<Case>& cases() {
    const std::string SAMPLE = testing::read_file(T2C_SOURCE_DIR "/examples/sample.dbf");
    const std::string SHIPPED_DXCC = testing::read_file(T2C_SOURCE_DIR "/dxcc.txt");
    const auto [SPELLINGS_LOG, SPELLINGS_OUTPUT] = every_listed_spelling();
    const std::string CHECK_USAGE = "Syntax:\n " + shown_name(testing::check_program_path()) + " tarnwick_file.dbf\n\n"
                                    "tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile, checked against dxcc.txt\n";
    static const std::vector<Case> table = with_old_outputs({
        {.name = "ConvertsTheShippedSampleWithTheShippedList", .log = SAMPLE, .dxcc = SHIPPED_DXCC,
         .out = completed(40, 38), .err = report(30, "invalid day [32].", "Q4EFH"),
         .output = testing::read_file(T2C_SOURCE_DIR "/tests/e2e/sample.asc")},
        {.name = "GivesEverySpellingOfTheDxccListsItsPrefix", .log = SPELLINGS_LOG, .dxcc = SHIPPED_DXCC,
         .out = completed(534, 534), .output = SPELLINGS_OUTPUT},
        {.name = "AnswersAWrongArgumentCountWithUsage", .args = {"LOG.DBF", "B", "C"}, .code = 3,
         .out = usage(shown_name(testing::program_path()))},
        {.name = "ShowsTheProgramFileWhenStartedByAFullWindowsPath", .args = {}, .code = 3,
         .out = usage("tarnwick2corvane.exe"),
         .setup = [](const fs::path& dir) {
             fs::create_directories(dir / "Program Files");
             fs::copy_file(testing::program_path(), dir / "Program Files" / "tarnwick2corvane.exe");
         },
         .options = {.program = "Program Files\\tarnwick2corvane.exe"}, .system = System::windows_only},

        // Logs that cannot be read.
        {.name = "AMissingLogEndsTheRunBeforeTheOutputExists", .log = std::nullopt, .code = 1, .out = BANNER,
         .err = "fopen(): input file: No such file or directory\n"},
        // Linux opens a folder and fails to read it; Windows will not open it at all.
        {.name = "AFolderAsTheLogCannotBeRead", .log = std::nullopt, .code = 1, .out = BANNER,
         .err = under_runner() ? "fopen(): input file: Permission denied\n" : "read(): input file: Is a directory\n",
         .setup = [](const fs::path& dir) { fs::create_directories(dir / "LOG.DBF"); }, .fails_before_writing = true},
        {.name = "ALogShorterThanItsHeaderEndsTheRun", .log = log_of({WORKED}).substr(0, 31), .code = 1, .out = BANNER,
         .err = "read(): input file: shorter than its 32-byte dBASE header\n", .fails_before_writing = true},

        // Every whole record of the header's length is read, whatever the record count says;
        // a part of one at the end, such as the end-of-file byte, is none.
        {.name = "ARecordLengthOfOneMakesEveryByteARecord", .log = DbfBuilder{}.record_length(1).raw_record(" *").bytes(),
         .out = completed(3, 0), .err = report(1, "invalid month [0].", "") + report(3, "invalid month [0].", ""), .output = ""},
        {.name = "LongRecordsAreReadWhole", .log = [record = fixture::record_bytes(WORKED) + std::string(65535 - FIELDS_END, '#')] {
             return DbfBuilder{}.record_length(65535).record_count(1).raw_record(record).raw_record(record).bytes();
         }(), .out = completed(2, 2), .output = worked_lines(2)},

        // A Ctrl-Z and a CR LF inside records: neither the read nor the write translates a byte.
        {.name = "KeepsEveryByteOfTheLogWithoutTextTranslation",
         .log = log_of({{.call = "Q1AAA", .remarks = "\x1A", .qsl_sent = "B"}, {.name = "AN\r\nNA", .qsl_sent = "B"}}),
         .out = completed(2, 2), .output = worked_line(0) + std::regex_replace(worked_line(1), std::regex("ANNA"), "AN  NA")},

        // Outputs that cannot be written, and outputs that are the program's own inputs.
        {.name = "AFolderAsTheOutputEndsTheRunWithCodeTwo", .args = {"LOG.DBF", "folder"}, .code = 2, .out = BANNER,
         .err = under_runner() ? "fopen(): output file: Permission denied\n" : "fopen(): output file: Is a directory\n",
         .output = std::nullopt, .setup = [](const fs::path& dir) { fs::create_directories(dir / "folder"); },
         .output_file = "folder/OUT.ASC"},
        {.name = "TheLogThroughALinkIsNeverTheOutput", .args = {"LOG.DBF", "sub/../log-link"}, .code = 2, .out = BANNER,
         .err = "fopen(): output file: it is the input file\n", .output = log_of({WORKED}),
         .setup = [](const fs::path& dir) {
             fs::create_directories(dir / "sub");
             fs::create_symlink("LOG.DBF", dir / "log-link");
         }},
        {.name = "DxccTxtThroughAHardLinkIsNeverTheOutput", .args = {"LOG.DBF", "hard-link"}, .code = 2, .out = BANNER,
         .err = "fopen(): output file: it is the DXCC database file\n", .output = DXCC,
         .setup = [](const fs::path& dir) { fs::create_hard_link(dir / "dxcc.txt", dir / "hard-link"); }},
        {.name = "TheLogByAnotherSpellingIsNeverTheOutputOnWindows", .args = {"LOG.DBF", ".\\Log.Dbf."}, .code = 2,
         .out = BANNER, .err = "fopen(): output file: it is the input file\n", .output = log_of({WORKED}),
         .system = System::windows_only, .output_file = "LOG.DBF"},
        {.name = "AFileOfTheLogsNameInAnotherFolderIsWrittenOver", .args = {"LOG.DBF", "copy/LOG.DBF"},
         .out = completed(1, 1), .output = worked_lines(1),
         .setup = [](const fs::path& dir) {
             fs::create_directories(dir / "copy");
             testing::write_file(dir / "copy" / "LOG.DBF", "old");
         }},
        {.name = "AFullDiskKeepsWhatWasWrittenAndReportsNothingAfter",
         .log = [] {
             DbfBuilder log;  // a rejected record in the first chunk of the log, and one far after
             for (int i = 0; i < 10'000; ++i) log.contact(i % 5000 == 0 ? Contact{.date = "19991307"} : WORKED);
             return log.bytes();
         }(),
         .code = 2, .out = PROGRESS, .err = report(1, "invalid month [13].") + "write(): output file: No space left on device\n",
         .output = worked_lines(9998).substr(0, 100'000),
         .options = preloaded({"T2C_FAIL_FILE=OUT.ASC", "T2C_FAIL_WRITE_AFTER=100000"})},
        {.name = "StandardOutputThatCannotBeWrittenIsNoSuccess", .code = 2,
         .err = "write(): standard output: No space left on device\n", .output = worked_lines(1),
         .options = {.stdout_file = "/dev/full"}, .system = System::linux_only},
        {.name = "AReadErrorWithoutItsReasonIsStillAnError", .log = log_of({WORKED}, 2), .code = 1, .out = PROGRESS,
         .err = "read(): input file: Input/output error\n",
         .output = "", .options = preloaded({"T2C_FAIL_FILE=LOG.DBF", "T2C_FAIL_READ_AFTER=" + std::to_string(32 + 100), "T2C_FAIL_ERRNO=0"})},
        {.name = "AReadErrorKeepsTheLinesOfTheRecordsBeforeIt", .log = log_of({WORKED}, 6000), .code = 1, .out = PROGRESS,
         .err = "read(): input file: Input/output error\n", .output = worked_lines(5000),
         .options = preloaded({"T2C_FAIL_FILE=LOG.DBF", "T2C_FAIL_READ_AFTER=" + std::to_string(32 + 5000 * 209 + 100)})},
        {.name = "ReportsComeBetweenTheProgressAndTheSummaryOnAConsole",
         .log = log_of({{.date = "19991307"}, WORKED, {.date = "19990332"}}),
         .out = PROGRESS + report(1, "invalid month [13].") + report(3, "invalid day [32].") + summary(3, 1),
         .output = worked_lines(1), .options = preloaded({"T2C_LINE_BUFFERED=1"}, true)},

        // Country lists: missing, unreadable, and every kind of line.
        {.name = "AMissingDxccTxtEndsTheRunWithCodeOne", .dxcc = std::nullopt, .code = 1, .out = BANNER,
         .err = "fopen(): DXCC database file.: No such file or directory\n", .fails_before_writing = true},
        {.name = "AFolderAsDxccTxtCannotBeRead", .dxcc = std::nullopt, .code = 1, .out = BANNER,
         .err = under_runner() ? "fopen(): DXCC database file.: Permission denied\n"
                               : "read(): DXCC database file.: Is a directory\n",
         .setup = [](const fs::path& dir) { fs::create_directories(dir / "dxcc.txt"); }, .fails_before_writing = true},
        // Memory runs out loading a long list: reported, never an abort.
        {.name = "RunningOutOfMemoryIsReported", .dxcc = [list = std::string()]() mutable {
             for (int i = 0; i < 200'000; ++i) list += "P\t" + std::to_string(i) + "\n";
             return list;
         }(), .code = 5, .out = BANNER, .err = "malloc(): Cannot allocate memory\n",
         .options = {.memory_limit_kib = 16 * 1024}, .system = System::linux_only, .fails_before_writing = true},
        // A zero byte ends a line, a line of 249 characters is read on, a lone CR is an ordinary
        // character (but reaches no import file), prefixes are written whole, Ctrl-Z ends the list.
        {.name = "ReadsEveryKindOfLineOfDxccTxt",
         .log = log_of({{.qsl_sent = "B", .country = "ITA"}, {.qsl_sent = "B", .country = "ITALY"}, {.qsl_sent = "B", .country = ""},
                        {.qsl_sent = "B", .country = "SPAIN"}, {.qsl_sent = "B", .country = std::string(40, 'x')},
                        {.qsl_sent = "B", .country = "GERMANY\rX"}, {.qsl_sent = "B", .country = "JAPAN"},
                        {.qsl_sent = "B", .country = "FRANCE"}}),
         .dxcc = "# list\r\nI\tITA"s + '\0' + "LY\r\nF" + '\0' + "\tFRANCE\nX\t" + std::string(247, 'x') +
                 "E\tSPAIN\nD\rL\tGERMANY\rX\nVERYLONGPREFIX\tJAPAN\r\n\x1A" "F\tFRANCE\r\n",
         .out = completed(8, 8), .output = worked_lines(8, {"I", "??", "", "E", "??", "D L", "VERYLONGPREFIX", "??"})},
        {.name = "PassesOverEmptyAndCommentLinesOfDxccTxt",
         .log = log_of({{.qsl_sent = "B", .country = ""}, {.qsl_sent = "B", .country = "SPAIN"}, {.qsl_sent = "B", .country = "ITALY"}}),
         .dxcc = "\n#E\tSPAIN\r\n\r\nI\tITALY\n", .out = completed(3, 3), .output = worked_lines(3, {"??", "??", "I"})},
        // The check program: its forecast, the log's end, the contacts lost or changed, the
        // countries dxcc.txt does not find, its faulty lines, and the log's layout.
        // Fields where the converter reads them, under other names and among others, a deleted
        // record, more records than counted and a later line that wins: nothing to mend.
        {.name = "CheckFindsNothingToMend", .check = true,
         .log = DbfBuilder{}.fields(renamed_layout()).record_count(1).raw_record(fixture::record_bytes({}) + std::string(10, ' '))
                    .raw_record(fixture::record_bytes({.deleted = true}) + std::string(10, ' '))
                    .raw_record(fixture::record_bytes({.country = "FRANCE"}) + std::string(10, ' ')).bytes(),
         .dxcc = CHECK_DXCC + "FX\tFRANCE\n", .args = {"LOG.DBF"},
         .out = "3 records: 2 contacts will be converted, 0 rejected, 1 deleted; 0 contacts get the prefix ??.\nLog end:\n"
                "  the header counts 1 record, the file holds 3: all of them are converted\n"
                "Countries: dxcc.txt gives every contact a prefix (2 contacts).\n"
                "dxcc.txt: names given another prefix by a later line, which wins:\n  line 6: 'FX\\x09FRANCE' wins over line 2\n"
                "Field layout: 1 difference from what the converter reads:\n  the converter reads the band from offset 19, 4 "
                "characters of type C; this log has there QBAND, 4 characters of type N\n"},
        {.name = "CheckForeseesEveryContactTheConversionDropsOrChanges", .check = true,
         .log = log_of({{.time = "14"}, {.time = "9:05"}, {.date = "19990230"}, {.date = "99  0307"}, {.call = "Q1AAA /P"},
                        {.call = " Q1LEAD"}, {.call = ""}, {.manager = "Q1 MGR"}, {.name = "  BOB SMITH", .place = "  LEEDS"},
                        {.place = "ROMA  ITALY"}, {.band = "70cm"}, {.band = "6mm"}, {.band = "20M"}, {.band = " 20m"},
                        {.country = ""}, {.date = "19990332"}, {.time = " 9:05"}, {.time = "25:00"}, {.deleted = true}, {.band = "2 m"}, {.band = "10"}}),
         .dxcc = CHECK_DXCC + "I  ITALY\n\tSPAIN\nX\tNEW  ZEALAND\n# \nX\tFRANCE \nX\t" + std::string(41, 'L') + "\nF\tFRANCE\n",
         .args = {"LOG.DBF"}, .code = 4, .out = testing::read_file(T2C_SOURCE_DIR "/tests/e2e/check-forecast.out")},
        // Cut after its header and one record and a part of the next, and before its records.
        {.name = "CheckTellsACutShortLog", .check = true, .log = SAMPLE.substr(0, 1000), .dxcc = SHIPPED_DXCC,
         .args = {"LOG.DBF"}, .code = 4, .out = "1 record: 1 contact will be converted, 0 rejected, 0 deleted; 0 contacts get "
         "the prefix ??.\nLog end:\n  the last record is cut short: 86 of its 209 bytes\n  the header counts 40 records, the "
         "file holds only 1\n  The log looks cut short: copy it again from the logbook's disk or backup.\n"
         "Countries: dxcc.txt gives every contact a prefix (1 contact).\nField layout: as the Tarnwick logbook writes it.\n"},
        {.name = "CheckTakesALogWithoutItsEndOfFileByteAsWhole", .check = true,
         .log = DbfBuilder{}.contact({}).end_of_file_byte(false).bytes(),
         .dxcc = CHECK_DXCC + "X\t" + std::string(40, 'X') + "\n",  // a name as long as a log's country: nothing to mend
         .args = {"LOG.DBF"},
         .out = "1 record: 1 contact will be converted, 0 rejected, 0 deleted; 0 contacts get the prefix ??.\n"
                "Countries: dxcc.txt gives every contact a prefix (1 contact).\nField layout: as the Tarnwick logbook writes it.\n"},
        {.name = "CheckTellsOfOneContactWithoutAPrefixInTheSingular", .check = true,
         .log = DbfBuilder{}.contact({.country = "ATLANTIS"}).bytes(), .dxcc = CHECK_DXCC, .args = {"LOG.DBF"}, .code = 4,
         .out = "1 record: 1 contact will be converted, 0 rejected, 0 deleted; 1 contact gets the prefix ??.\nCountries: 1 spelling "
                "in 1 contact is not in dxcc.txt; that contact gets the prefix ??:\n  'ATLANTIS': 1 contact, record 1\n"
                "Field layout: as the Tarnwick logbook writes it.\n"},
        {.name = "CheckCountsAChangedFieldAloneAsAFinding", .check = true, .log = DbfBuilder{}.contact({.call = "Q1AAA X"}).bytes(),
         .dxcc = CHECK_DXCC, .args = {"LOG.DBF"}, .code = 4,
         .out = "1 record: 1 contact will be converted, 0 rejected, 0 deleted; 0 contacts get the prefix ??.\nCarried differently "
                "from the log, the first records of each kind shown:\n  text cut at a blank, or emptied by a leading one: 1 contact: "
                "record 1 callsign 'Q1AAA X' -> 'Q1AAA'\nCountries: dxcc.txt gives every contact a prefix (1 contact).\n"
                "Field layout: as the Tarnwick logbook writes it.\n"},
        {.name = "CheckTellsARecordLengthOfOneByteInTheSingular", .check = true,
         .log = DbfBuilder{}.record_length(1).end_of_file_byte(false).bytes(), .args = {"LOG.DBF"}, .code = 6,
         .out = "0 records: 0 contacts will be converted, 0 rejected, 0 deleted; 0 contacts get the prefix ??.\n"
                "Countries: dxcc.txt gives every contact a prefix (0 contacts).\nField layout: 1 difference from what the "
                "converter reads:\n  record length: 1 byte, fewer than the 209 the converter reads\n"},
        {.name = "CheckTellsARecordStartPastTheEnd", .check = true, .log = SAMPLE.substr(0, 704), .args = {"LOG.DBF"}, .code = 4,
         .out = "0 records: 0 contacts will be converted, 0 rejected, 0 deleted; 0 contacts get the prefix ??.\nLog end:\n"
         "  the records should start at byte 705, past the end of the file at 704\n  the header counts 40 records, the file "
         "holds only 0\n  The log looks cut short: copy it again from the logbook's disk or backup.\n"
         "Countries: dxcc.txt gives every contact a prefix (0 contacts).\nField layout: as the Tarnwick logbook writes it.\n"},
        // Deleted and rejected records are not converted: their country does not matter.
        {.name = "CheckSuggestsLinesForSpellingsMostContactsFirst", .check = true,
         .log = log_of({{.country = "NAR\x7F\x1ANIA"}, {.country = "usa"}, {.country = "Italy"}, {.country = "FED REP OF GERMANY"},
                        {.country = "usa"}, {.country = "FED REP OF GERMANY"}, {.country = "usa"}, {.country = "Falkland Islands"},
                        {.country = "SAINT KITTS AND NEVIS"}, {.country = "North Cook Islands"},
                        {.deleted = true, .country = "ATLANTIS"}, {.date = "19991307", .country = "ATLANTIS"},
                        {.country = "ST LUCIA"}, {.country = ".SAINT KITTS AND NEVIS"}}),
         .dxcc = CHECK_DXCC + "VP8\tFALKLAND IS.\nVP8\tFALKLAND I.\nV4\tST. KITTS & NEVIS\nE5/n\tN. COOK IS.\nE5/s\tS. COOK IS.\n"
                              "J6\tSAINTLUCIA\n",
         .args = {"LOG.DBF"}, .code = 4,
         .out = testing::read_file(T2C_SOURCE_DIR "/tests/e2e/check-suggestions.out")},
        // Each contact's entity as the ADIF writer finds it by its callsign and date, against its country.
        {.name = "CheckTellsWhereTheCallsignOrTheDateContradictsTheCountry", .check = true,
         .log = log_of({{.date = "19920601", .call = "9A2AB"}, {.date = "19850101", .call = "Y21AB", .country = "GERMANY"},
                        {.date = "19980101", .call = "OM3AB", .country = "SLOVAKIA"}, {.date = "19291231", .call = "9A2AB"}}),
         .dxcc = CHECK_DXCC + "DL\tGERMANY\nOK\tSLOVAKIA\n", .args = {"LOG.DBF"}, .code = 4,
         .out = "4 records: 4 contacts will be converted, 0 rejected, 0 deleted; 0 contacts get the prefix ??.\n"
                "Countries: dxcc.txt gives every contact a prefix (4 contacts).\nCountries whose contacts count for entities no "
                "single line of dxcc.txt can serve (the ADIF file gives each contact the entity its date and callsign pick):\n"
                "  'GERMANY': 1 contact, record 2: it names 230 Federal Republic of Germany or 229 German Democratic Republic on "
                "1985-01-01\n  'SLOVAKIA': 1 contact, record 3: dxcc.txt gives it OK, not a prefix of 504 Slovak Republic on "
                "1998-01-01\nCallsign and country disagree in 1 contact (the ADIF file keeps the country's entity where it names "
                "one):\n  record 1: 1992-06-01, 9A2AB, 'ITALY' is 248 Italy, the callsign says 497 Croatia\n"
                "Field layout: as the Tarnwick logbook writes it.\n"},
        {.name = "CheckShowsEachFieldTheConverterWouldReadWrongly", .check = true,
         .log = DbfBuilder{}.fields(misread_layout()).contact({}).bytes(), .dxcc = CHECK_DXCC, .args = {"LOG.DBF"}, .code = 6,
         .out = testing::read_file(T2C_SOURCE_DIR "/tests/e2e/check-misread-layout.out")},
        {.name = "CheckAnswersTheConvertersArgumentsWithUsage", .check = true, .code = 3, .out = CHECK_USAGE},
        {.name = "CheckShowsItsUsageWhenAsked", .check = true, .args = {"--help"}, .out = CHECK_USAGE},
        {.name = "CheckTellsItsVersion", .check = true, .args = {"--version"}, .out = "tarnwick2corvane-check 1.10\n"},
        // The ADIF writer: the same contacts, less what ADIF cannot take, each left out with a report.
        {.name = "AdifWritesTheSample", .adif = true, .log = SAMPLE, .dxcc = SHIPPED_DXCC, .args = {"LOG.DBF", "OUT.ADI"},
         .out = adif_completed(40, 38, 18, 0, 1), .err = report(30, "invalid day [32].", "Q4EFH"),
         .output = testing::read_file(T2C_SOURCE_DIR "/tests/e2e/sample.adi")},
        {.name = "AdifReportsEveryContactItLeavesOut", .adif = true,
         .log = log_of({{.deleted = true}, {.date = "19991307"}, {.date = "19950230"}, {.time = "14"}, {.call = ""}, {.mode = "XYZ"},
                        {.band = "11m", .frequency = ""}, {.time = "01:30", .call = "9A2AB", .name = "M\x81LLER", .qsl_sent = "B"}}),
         .args = {"--station-callsign", "Q0ME", "--utc-offset", "+2", "LOG.DBF", "OUT.ADI"}, .out = adif_completed(8, 1, 1, 1, 0, 1),
         .err = report(2, "invalid month [13].") + report(3, "invalid date [19950230].") + report(4, "invalid time [14].") +
                report(5, "empty CALL field.", "") + report(6, "unknown mode [XYZ].") + report(7, "unknown band [11m]."),
         .output = ADIF_HEADER + "<CALL:5>9A2AB <QSO_DATE:8>19990306 <TIME_ON:4>2330 <BAND:3>20m <FREQ:6>14.195 <MODE:3>SSB "
                   "<RST_SENT:2>59 <RST_RCVD:2>57 <NAME:7>MueLLER <QTH:4>ROMA <QSL_SENT:1>Y <QSL_SENT_VIA:1>B <QSL_RCVD:1>N "
                   "<COUNTRY:5>ITALY <DXCC:3>248 <APP_TARNWICK2ADIF_CODE2:2>XY <APP_TARNWICK2ADIF_CODE6:6>ABCDEF "
                   "<STATION_CALLSIGN:4>Q0ME <TIME_OFF:4>1235 <QSO_DATE_OFF:8>19990307 <EOR>\r\n"},
        {.name = "AdifWritesItsHeaderForALogWithoutRecords", .adif = true, .log = DbfBuilder{}.bytes(), .args = {"LOG.DBF", "OUT.ADI"},
         .out = adif_completed(0, 0, 0, 0, 0), .output = ADIF_HEADER},
        {.name = "AdifTakesItsTimeOfWritingFromTheEpochsFirstSecondToo", .adif = true, .log = DbfBuilder{}.bytes(),
         .args = {"LOG.DBF", "OUT.ADI"}, .out = adif_completed(0, 0, 0, 0, 0),
         .output = std::regex_replace(ADIF_HEADER, std::regex("20231114 221320"), "19700101 000000"),
         .options = {.env = {"SOURCE_DATE_EPOCH=0"}}},
        {.name = "AdifAnswersAWrongArgumentCountWithUsage", .adif = true, .args = {"LOG.DBF"}, .code = 3,
         .out = adif_usage(shown_name(testing::adif_program_path()))},
        {.name = "AdifAnswersAnOffsetThatIsNoNumberOfHoursWithUsage", .adif = true, .args = {"--utc-offset", "+-5", "LOG.DBF", "OUT.ADI"},
         .code = 3, .out = adif_usage(shown_name(testing::adif_program_path()))},
        {.name = "AdifShowsItsVersion", .adif = true, .args = {"--version"}, .out = ADIF_BANNER + "tarnwick2adif 1.10\n"},
        {.name = "AdifRefusesToWriteOverTheLog", .adif = true, .args = {"LOG.DBF", "./LOG.DBF"}, .code = 2, .out = ADIF_BANNER,
         .err = "fopen(): output file: it is the input file\n", .output = log_of({WORKED})},
        {.name = "AdifWithoutDxccTxtEndsTheRunWithCodeOne", .adif = true, .dxcc = std::nullopt, .args = {"LOG.DBF", "OUT.ADI"},
         .code = 1, .out = ADIF_BANNER, .err = "fopen(): DXCC database file.: No such file or directory\n",
         .fails_before_writing = true},
    });
    return table;
}

class Program : public ::testing::TestWithParam<Case> {};

TEST_P(Program, GivesEveryByteItMust) {
    const Case& c = GetParam();
    if (c.system == System::linux_only && under_runner()) GTEST_SKIP() << "a case of the Linux program";
    if (c.system == System::windows_only && !under_runner()) GTEST_SKIP() << "a case of the Windows program";
    if (!c.options.env.empty() && under_runner()) GTEST_SKIP() << "preloading reaches the emulator, not the program";
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's runtime reserves terabytes of address space before main: under a limit the
    // program cannot start at all.
    if (c.options.memory_limit_kib != 0) GTEST_SKIP() << "the sanitizer cannot start in a limited address space";
#endif
    testing::TempDir dir;
    if (c.log) testing::write_file(dir / "LOG.DBF", *c.log);
    if (c.dxcc) testing::write_file(dir / "dxcc.txt", *c.dxcc);
    if (c.setup) c.setup(dir.path());
    testing::RunOptions options = c.options;
    if (c.check) options.program = testing::check_program_path();
    if (c.adif) {
        options.program = testing::adif_program_path();
        const auto epoch = [](const std::string& variable) { return variable.starts_with("SOURCE_DATE_EPOCH="); };
        if (std::none_of(options.env.begin(), options.env.end(), epoch)) options.env.push_back("SOURCE_DATE_EPOCH=1700000000");
    }
    const testing::ProgramResult result = testing::run_program(dir.path(), c.args, options);
    EXPECT_EQ(result.exit_code, c.code);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    const fs::path output = dir / (c.output_file ? c.output_file : c.args.size() >= 2 ? c.args.back() : "OUT.ASC");
    if (c.output) {
        // Compared without printing both: an output runs to megabytes.
        EXPECT_TRUE(fs::exists(output) && testing::read_file(output) == *c.output) << "the output file differs";
    } else {
        EXPECT_FALSE(fs::exists(output)) << "an output file was made";
    }
    EXPECT_TRUE(!c.log || testing::read_file(dir / "LOG.DBF") == *c.log) << "the log was touched";
    EXPECT_TRUE(!c.dxcc || testing::read_file(dir / "dxcc.txt") == *c.dxcc) << "dxcc.txt was touched";
    // A console program's own lines end in CR LF on Windows, as they always did there.
    EXPECT_TRUE(!under_runner() || result.raw_out == std::regex_replace(result.out, std::regex("\n"), "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Cases, Program, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& row) { return row.param.name; });

}  // namespace
}  // namespace t2c

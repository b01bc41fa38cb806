// The Windows build, run as Windows users run it: backslash paths, names in any case, country
// lists written by Windows editors. Runs only against the .exe, under T2C_RUNNER (Wine).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e/expected_text.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

namespace fs = std::filesystem;
using fixture::DbfBuilder;
using testing::ProgramResult;
using namespace expected;

// Wine shows the Unix root as drive Z:, so this is how Windows spells any path of the test's.
std::string windows_path(const fs::path& path) {
    std::string spelled = "Z:";
    spelled.append(path.string());
    for (char& c : spelled) {
        if (c == '/') c = '\\';
    }
    return spelled;
}

std::string crlf_lines(const std::string& text) {
    std::string lines;
    for (const char c : text) {
        if (c == '\n') lines.push_back('\r');
        lines.push_back(c);
    }
    return lines;
}

class Windows : public ::testing::Test {
protected:
    testing::TempDir dir;

    void SetUp() override {
        if (!testing::under_runner()) GTEST_SKIP() << "needs the Windows build under T2C_RUNNER";
    }

    void give(const std::string& name, const std::string& bytes) { testing::write_file(dir / name, bytes); }
    std::string file(const std::string& name) { return testing::read_file(dir / name); }
    ProgramResult convert(const std::vector<std::string>& args) { return testing::run_program(dir.path(), args); }
};

TEST_F(Windows, ShowsOnlyTheProgramFileWhenStartedByAFullPath) {
    const fs::path folder = dir / "Program Files" / "Log Tools";
    fs::create_directories(folder);
    fs::copy_file(testing::program_path(), folder / "tarnwick2corvane.exe");
    const ProgramResult result =
        testing::run_program(dir.path(), {"LOG.DBF"}, windows_path(folder / "tarnwick2corvane.exe"));
    EXPECT_EQ(result.exit_code, 3);
    EXPECT_EQ(result.out, BANNER + usage("tarnwick2corvane.exe"));
    // A console program's own lines end in CR LF on Windows, as they always did there.
    EXPECT_EQ(result.raw_out, crlf_lines(result.out));
    EXPECT_EQ(result.err, "");
}

TEST_F(Windows, ConvertsThroughBackslashPathsWithoutTranslatingAByte) {
    give("dxcc.txt", "I\tITALY\n");
    fs::create_directories(dir / "my logs");
    fs::create_directories(dir / "import");
    // A Ctrl-Z inside a record and CR LF in fields: a text-mode read would stop at the first,
    // a text-mode write would double the CR of the line end.
    const std::string log = DbfBuilder{}
                                .contact({.call = "Q1AAA", .remarks = "\x1A", .qsl_sent = "B"})
                                .contact({.call = "Q2BBB", .name = "AN\r\nNA", .qsl_sent = "B"})
                                .bytes();
    testing::write_file(dir / "my logs" / "LOG 1999.DBF", log);
    const ProgramResult result = convert({"my logs\\LOG 1999.DBF", windows_path(dir / "import" / "OUT.ASC")});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, BANNER + PROGRESS + summary(2, 2));
    EXPECT_EQ(result.err, "");
    const auto line = [](const char* seconds, const char* call, const char* comment) {
        std::string text = "07-MAR-1999 14:30:";
        text.append(seconds).append("\x19").append(call);
        text.append("\x19I\x19XY\x19" "20\x19SSB\x19" "59\x19" "57\x19S\x19").append(comment);
        return text.append("\x19\x19" "14.195\x19\x19" "ABCDEF\x19\x19\x19\x19\r\n");
    };
    EXPECT_EQ(testing::read_file(dir / "import" / "OUT.ASC"),
              line("00", "Q1AAA", "ANNA/ROMA") + line("01", "Q2BBB", "AN  NA/ROMA"));
}

TEST_F(Windows, ReadsACountryListWithCrLfAndCtrlZ) {
    give("LOG.DBF", DbfBuilder{}
                        .contact({.call = "Q1AAA", .country = "ITALY"})
                        .contact({.call = "Q2BBB", .country = "FRANCE"})
                        .contact({.call = "Q3CCC", .country = "SPAIN"})
                        .bytes());
    // As an old editor saves it: CR LF line ends, then a Ctrl-Z after which nothing counts.
    give("dxcc.txt", "# list\r\nI\tITALY\r\nF\tFRANCE\r\n\x1A" "EA\tSPAIN\r\n");
    const ProgramResult result = convert({"LOG.DBF", "OUT.ASC"});
    EXPECT_EQ(result.exit_code, 0);
    const std::string output = file("OUT.ASC");
    EXPECT_NE(output.find("\x19Q1AAA\x19I\x19"), std::string::npos) << output;
    EXPECT_NE(output.find("\x19Q2BBB\x19" "F\x19"), std::string::npos) << output;
    EXPECT_NE(output.find("\x19Q3CCC\x19??\x19"), std::string::npos) << output;
    EXPECT_EQ(output.find("\r\x19"), std::string::npos) << "a CR of the list reached a prefix";
}

TEST_F(Windows, RefusesToWriteOverItsInputsByAnyOtherSpelling) {
    const std::string log = DbfBuilder{}.contact({}).bytes();
    give("dxcc.txt", "I\tITALY\n");
    give("LOG.DBF", log);
    const std::string here = dir.path().filename().string();
    for (const std::string& output :
         {std::string("log.dbf"), std::string("Log.Dbf"), std::string(".\\LOG.DBF"), std::string("LOG.DBF."),
          "..\\" + here + "\\log.dbf", windows_path(dir / "LOG.DBF"), std::string("DXCC.TXT"),
          std::string(".\\Dxcc.Txt")}) {
        const ProgramResult result = convert({"LOG.DBF", output});
        EXPECT_EQ(result.exit_code, 2) << output;
        EXPECT_EQ(result.out, BANNER) << output;
        EXPECT_EQ(result.err.rfind("fopen(): output file: it is the ", 0), 0u) << output << ": " << result.err;
        EXPECT_EQ(file("LOG.DBF"), log) << output;
        EXPECT_EQ(file("dxcc.txt"), "I\tITALY\n") << output;
    }
    // Reading the log by another spelling is still reading it.
    EXPECT_EQ(convert({".\\log.dbf", "LOG.DBF"}).exit_code, 2);
    EXPECT_EQ(file("LOG.DBF"), log);
    // The same name in another folder is another file, and an existing one is written over.
    fs::create_directories(dir / "copy");
    give("copy/LOG.DBF", "old");
    const ProgramResult result = convert({"LOG.DBF", "copy\\LOG.DBF"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(file("LOG.DBF"), log);
    EXPECT_EQ(file("copy/LOG.DBF").substr(0, 20), "07-MAR-1999 14:30:00");
}

TEST_F(Windows, ReportsWindowsReasonsWithTheSameExitCodes) {
    give("dxcc.txt", "I\tITALY\n");
    give("LOG.DBF", DbfBuilder{}.contact({}).bytes());
    fs::create_directories(dir / "folder.asc");
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    };
    // Windows answers a folder opened as a file with "Permission denied" where Linux says
    // "Is a directory", and a name with a wildcard, which it never expands for the program,
    // with "Invalid argument"; the other reasons read the same on both systems.
    for (const Case& c : std::vector<Case>{
             {{"logs\\MISSING.DBF", "OUT.ASC"}, 1, "fopen(): input file: No such file or directory\n"},
             {{"*.DBF", "OUT.ASC"}, 1, "fopen(): input file: Invalid argument\n"},
             {{"LOG.DBF", "missing\\OUT.ASC"}, 2, "fopen(): output file: No such file or directory\n"},
             {{"LOG.DBF", "folder.asc"}, 2, "fopen(): output file: Permission denied\n"},
         }) {
        const ProgramResult result = convert(c.args);
        EXPECT_EQ(result.exit_code, c.code) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(result.out, BANNER) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(result.err, c.err);
    }
}

}  // namespace
}  // namespace t2c

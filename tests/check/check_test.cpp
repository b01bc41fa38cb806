// The check program, run as a user runs it, on logs and country lists that each row writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

using fixture::DbfBuilder;

struct Row {
    const char* name;
    std::optional<std::string> log;   // LOG.DBF, or no such file
    std::optional<std::string> dxcc;  // dxcc.txt, or no such file
    std::vector<std::string> args;
    int exit_code;
    std::string out;
    std::string err = "";
};

// T2C_CHECK_PROGRAM from the environment (the Windows build), else the one this build made.
std::string check_program() {
    const char* path = std::getenv("T2C_CHECK_PROGRAM");
    return path != nullptr && *path != '\0' ? path : T2C_BUILT_CHECK_PROGRAM;
}

const std::string LAYOUT_KEPT = "Field layout: as the Tarnwick logbook writes it.\n";
const std::string DXCC = "I\tITALY\nF\tFRANCE\nDL\tFED. REP. OF GERMANY\nW\tU.S.A.\nK\tUS A\n";

// The logbook's fields as another program wrote them: a type changed, a field renamed, one
// narrower (which moves the next), and one more at the end.
std::vector<LogField> other_layout() {
    std::vector<LogField> fields(LOG_FIELDS.begin(), LOG_FIELDS.end());
    fields[0].type = 'C';
    fields[11].name = "REMARK";
    fields[19].width = 18;
    fields.push_back({"X\x01", 'C', 10});
    return fields;
}

std::vector<Row> rows() {
    const std::string source = T2C_SOURCE_DIR;
    // A Windows program is handed its whole backslash path, of which the usage shows the name.
    const std::string program = testing::under_runner()
                                    ? std::filesystem::path(check_program()).filename().string()
                                    : check_program();
    const std::vector<std::string> log = {"LOG.DBF"};
    return {
        {"NothingToDo", DbfBuilder{}.contact({}).contact({.country = "FRANCE"}).bytes(), DXCC, log, 0,
         LAYOUT_KEPT + "Countries: dxcc.txt gives every contact a prefix (2 contacts).\n"},
        {"TheShippedSample", testing::read_file(source + "/examples/sample.dbf"),
         testing::read_file(source + "/dxcc.txt"), log, 1,
         LAYOUT_KEPT + "Countries: 1 spelling in 1 contact is not in dxcc.txt; that contact gets the prefix ??:\n"
                       "  'USA': 1 contact, record 17\n"},
        // Deleted and rejected records are not converted: their country does not matter.
        {"SpellingsMostContactsFirstWithSuggestions",
         DbfBuilder{}
             .contact({.country = "NAR\x7FNIA"})
             .contact({.country = "usa"})
             .contact({.country = "Italy"})
             .contact({.country = "FED REP OF GERMANY"})
             .contact({.country = "usa"})
             .contact({.country = "FED REP OF GERMANY"})
             .contact({.country = "usa"})
             .contact({.deleted = true, .country = "ATLANTIS"})
             .contact({.date = "19991307", .country = "ATLANTIS"})
             .bytes(),
         DXCC, log, 1,
         LAYOUT_KEPT + "Countries: 4 spellings in 7 contacts are not in dxcc.txt; those contacts get the prefix ??:\n"
                       "  'usa': 3 contacts, the first in record 2\n"
                       "  'FED REP OF GERMANY': 2 contacts, the first in record 4\n"
                       "    suggestion: DL\tFED REP OF GERMANY\n"
                       "  'NAR\\x7FNIA': 1 contact, record 1\n"
                       "  'Italy': 1 contact, record 3\n"
                       "    suggestion: I\tItaly\n"},
        {"AnotherLayout", DbfBuilder{}.fields(other_layout()).contact({}).bytes(), DXCC, log, 1,
         "Field layout: 7 differences from the Tarnwick logbook's:\n"
         "  record length: 216 bytes, the Tarnwick layout has 209\n"
         "  DATE: type C, the Tarnwick layout has D\n"
         "  REMARK: not in the Tarnwick layout (type C, at offset 93, 21 characters)\n"
         "  OTHER: 18 characters, the Tarnwick layout has 21\n"
         "  CODE6: at offset 200, the Tarnwick layout has 203\n"
         "  X\\x01: not in the Tarnwick layout (type C, at offset 206, 10 characters)\n"
         "  REMARKS: missing, the Tarnwick layout has it at offset 93, 21 characters\n"
         "Countries: dxcc.txt gives every contact a prefix (1 contact).\n"},
        {"NoLog", std::nullopt, DXCC, log, 1, "", "fopen(): input file: No such file or directory\n"},
        {"LogShorterThanAHeader", std::string("\x03\x63\x03\x07", 4), DXCC, log, 1, "",
         "read(): input file: shorter than its 32-byte dBASE header\n"},
        {"NoDxccTxt", DbfBuilder{}.contact({}).bytes(), std::nullopt, log, 1, "",
         "fopen(): DXCC database file.: No such file or directory\n"},
        {"UsageForTheConvertersArguments", DbfBuilder{}.bytes(), DXCC, {"LOG.DBF", "OUT.ASC"}, 3,
         "Syntax:\n " + program + " tarnwick_file.dbf\n\n"
         "tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile, checked against dxcc.txt\n"},
    };
}

TEST(CheckProgram, TellsWhatEachLogNeedsOrWhyItCannotBeChecked) {
    if (testing::under_runner() && std::getenv("T2C_CHECK_PROGRAM") == nullptr) {
        GTEST_SKIP() << "under a runner the check program's Windows build is needed: set T2C_CHECK_PROGRAM";
    }
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        const testing::TempDir dir;
        if (row.log) testing::write_file(dir / "LOG.DBF", *row.log);
        if (row.dxcc) testing::write_file(dir / "dxcc.txt", *row.dxcc);
        const testing::ProgramResult result = testing::run_program(dir.path(), row.args, check_program());
        EXPECT_EQ(result.exit_code, row.exit_code);
        EXPECT_EQ(result.out, row.out);
        EXPECT_EQ(result.err, row.err);
    }
}

}  // namespace
}  // namespace t2c

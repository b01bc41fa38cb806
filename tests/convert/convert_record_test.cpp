// One contact at a time: the import line it becomes, or the report that excludes it, and
// whether it uses up a value of the seconds counter.
#include "convert/convert_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/import_line.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

using fixture::Contact;

struct Row {
    Contact contact;
    std::string line = "";  // the import line, '|' for each 0x19, without its CR LF
    std::string report = "";  // or the first line of the report, after "ERROR: record N: "
    bool stamped = true;
    int seconds = 0;  // the counter before
    std::int64_t number = 1;
    std::size_t length = FIELDS_END;  // the log's record length: the record cut, or filled with '#'
};

const std::string Z = std::string(1, '\0');

const std::vector<Row> ROWS = {
    {{.qsl_sent = "B"}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57|S|ANNA/ROMA||14.195||ABCDEF||||"},
    {{.deleted = true, .date = "19991399"}, "", "", false},
    // The date: the day is checked against 1 to 31 only; a text without a number reads as 0.
    {{.date = "19990230"}, "30-FEB-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||"},
    {{.date = "199903 7"}, " 7-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||"},
    {{.date = "1999  07"}, "", "invalid month [0].", false},
    {{.date = "19990332"}, "", "invalid day [32].", false},
    {{.date = "199903xx"}, "", "invalid day [0].", false},
    {{.date = "19991307"}, "", "invalid month [13].", false, 0, 3'000'000'000},
    // The start time is stamped before its hour and minute are checked.
    {{.time = " 1430"}, "", "empty TIME_INI field.", false},
    {{.time = "24:00"}, "", "invalid hour [24]."},
    {{.time = "ab:30"}, "", "invalid hour [-1]."},
    {{.time = "\t\t930"}, "", "invalid hour [-1]."},
    {{.time = "14:60"}, "", "invalid minute [60]."},
    {{.time = "14:x3"}, "", "invalid minute [-1]."},
    {{.time = "9:30"}, "07-MAR-1999 9:30:07|Q1AAA|I|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||", "", true, 7},
    {{.time = "14"}, "07-MAR-1999 14:07|Q1AAA|I|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||", "", true, 7},
    {{}, "07-MAR-1999 14:30:59|Q1AAA|I|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||", "", true, 59},
    // QSL flags: B, D and S count, in upper case only.
    {{.qsl_sent = "B", .qsl_received = "D"}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57|X|ANNA/ROMA||14.195||ABCDEF||||"},
    {{.qsl_sent = "N", .qsl_received = "D"}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57|R|ANNA/ROMA||14.195||ABCDEF||||"},
    {{.qsl_sent = "s", .qsl_received = "b"}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||"},
    // The comment: the name's first word, the place up to a double blank, the manager.
    {{.name = "ANNA MARIA", .place = "ROMA  CENTRO"}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||"},
    {{.name = "", .place = "NEW YORK CITY"}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||NEW YORK CITY||14.195||ABCDEF||||"},
    {{.place = ""}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||ANNA/||14.195||ABCDEF||||"},
    {{.name = "", .place = "", .manager = "Q2BBB"}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||/QSL via Q2BBB||14.195||ABCDEF||||"},
    {{.place = "", .manager = "Q2BBB"}, "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||ANNA//QSL via Q2BBB||14.195||ABCDEF||||"},
    {{.name = "ABCDEFGHIJKLMNO", .place = "PQRSTUVWXYZ123456789", .manager = "Q1234567890Z"},
     "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||ABCDEFGHIJKLMNO/PQRSTUVWXYZ123456789/QSL via Q1234567890Z||14.195||ABCDEF||||"},
    // The country, looked up exactly up to a double blank.
    {{.country = "Italy"}, "07-MAR-1999 14:30:00|Q1AAA|??|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||"},
    {{.country = "NEW ZEALAND  (NORTH)"}, "07-MAR-1999 14:30:00|Q1AAA|ZL|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||"},
    {{.country = ""}, "07-MAR-1999 14:30:00|Q1AAA|??|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||"},
    // The other fields, each cut where it is.
    {{.band = "160m", .frequency = "1.8 MHz", .mode = "CW  X", .report_sent = "59+", .report_received = "5 9",
      .code2 = "*A", .code6 = "JN61 X"},
     "07-MAR-1999 14:30:00|Q1AAA|I||160|CW|59|5||ANNA/ROMA||1.8||JN61||||"},
    {{.band = "20", .code2 = "*"}, "07-MAR-1999 14:30:00|Q1AAA|I||20  |SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||"},
    // Separators and line ends inside fields become blanks; a zero byte ends a field.
    {{.call = "Q1\x19Z", .name = "AN\rNA", .place = "RO\nMA", .code6 = "\r\n\x19"},
     "07-MAR-1999 14:30:00|Q1 Z|I|XY|20|SSB|59|57||AN NA/RO MA||14.195||   ||||"},
    {{.call = "Q1" + Z + "ZZ", .place = "RO" + Z + "MA"}, "07-MAR-1999 14:30:00|Q1|I|XY|20|SSB|59|57||ANNA/RO||14.195||ABCDEF||||"},
    // Records of other lengths: the fields beyond a short one are empty, a long one's rest unread.
    {.contact = {}, .line = "07-MAR-1999 14:30:00|Q1AAA|I||20|SSB|59|57||ANNA/ROMA||14.195||||||", .length = 150},
    {.contact = {}, .line = "07-MAR-1999 14:30:00|Q1AAA|I|XY|20|SSB|59|57||ANNA/ROMA||14.195||ABCDEF||||", .length = 1000},
    {.contact = {.call = ""}, .report = "invalid day [0].", .stamped = false, .length = 8},  // cut inside its day
};

TEST(ConvertRecord, GivesEachContactItsLineOrItsReport) {
    const CountryTable countries = {{"ITALY", "I"}, {"NEW ZEALAND", "ZL"}};
    ImportRecord out;  // reused, as the run reuses it: no field may keep an earlier record's text
    for (const Row& row : ROWS) {
        std::string bytes = fixture::record_bytes(row.contact);
        bytes.resize(row.length, '#');
        SCOPED_TRACE(::testing::PrintToString(bytes));
        // Digits behind the record, as the next record's may be: nothing past its end is read.
        bytes += "99";
        const std::string_view record = std::string_view(bytes).substr(0, row.length);
        int seconds = row.seconds;
        const ConvertResult result = convert_record(record, countries, seconds, out);
        EXPECT_EQ(seconds, row.stamped ? (row.seconds + 1) % 60 : row.seconds);
        std::string expected = row.report.empty() ? row.line + (row.line.empty() ? "" : "\r\n")
                                                  : "ERROR: record " + std::to_string(row.number) + ": " + row.report +
                                                        "\nThe record has been excluded from the conversion process.\nCALL: " +
                                                        row.contact.call + "\n\n";
        std::replace(expected.begin(), expected.end(), '|', FIELD_SEP);
        std::string written = result.verdict == Verdict::rejected ? rejection_report(row.number, result.reason, out.call) : "";
        if (result.verdict == Verdict::accepted) append_import_line(out, written);
        EXPECT_EQ(written, expected);
    }
}

// What an accepted contact's import line carries otherwise than the log holds it: each kind of
// change in the first field that has it, as the log holds the text and as the line carries it.
struct ChangeRow {
    Contact contact;
    std::string changes;
};

const std::vector<ChangeRow> CHANGE_ROWS = {
    {{}, ""},
    {{.time = "23:59"}, ""},
    {{.date = "20000229", .time = "00:00", .band = "2m", .report_sent = "59+", .place = "ROMA CENTRO"}, ""},
    {{.date = "19000229"}, "date DATE '19000229'"},
    {{.date = "19990431"}, "date DATE '19990431'"},
    {{.date = "199903 7", .time = "9:30"}, "time TIME_INI '9:30' -> '9:30:00'; date DATE '199903 7'"},
    {{.time = "1430"}, "time TIME_INI '1430' -> '1430:00'"},
    {{.frequency = "14 195", .call = "Q1 AAA"}, "cut CALL 'Q1 AAA' -> 'Q1'"},
    {{.call = " Q1AAA"}, "cut CALL ' Q1AAA' -> ''"},
    {{.call = ""}, "no call CALL '' -> ''"},
    {{.frequency = "14 195", .mode = "CW  X", .code6 = "JN61 X"}, "cut FREQ '14 195' -> '14'"},
    {{.report_sent = "5 9", .manager = "Q2 BB"}, "cut RST_SENT '5 9' -> '5'"},
    {{.report_sent = "+ 9"}, "cut RST_SENT '+ 9' -> ''"},
    {{.report_received = "5 9", .code2 = " A"}, "cut RST_RCVD '5 9' -> '5'"},
    {{.code2 = " A", .code6 = "JN61 X"}, "cut CODE2 ' A' -> ''"},
    {{.manager = "Q2 BB", .code6 = "JN61 X"}, "cut CODE6 'JN61 X' -> 'JN61'"},
    {{.manager = "Q2 BB"}, "cut QSL_MGR 'Q2 BB' -> 'ANNA/ROMA/QSL via Q2'"},
    {{.name = " ANNA", .place = "  ROMA"}, "emptied NAME ' ANNA' -> ''"},
    {{.place = "  ROMA"}, "emptied QTH '  ROMA' -> 'ANNA/'"},
    {{.place = "ROMA  CENTRO"}, "place cut QTH 'ROMA  CENTRO' -> 'ANNA/ROMA'"},
    {{.band = "20"}, "band BAND '20' -> '20  '"},
    {{.band = "70cm"}, "band BAND '70cm' -> '70c'"},
    {{.band = "20mm"}, "band BAND '20mm' -> '20'"},
    {{.country = "NOWHERE"}, "no prefix COUNTRY 'NOWHERE' -> ''"},
};

TEST(ConvertRecord, NotesWhatTheImportLineCarriesOtherwiseThanTheLog) {
    constexpr const char* KINDS[] = {"time", "date", "cut", "no call", "emptied", "place cut", "band", "no prefix"};
    const CountryTable countries = {{"ITALY", "I"}, {"NOWHERE", ""}};
    ImportRecord out;  // reused: no change may stay from an earlier contact
    for (const ChangeRow& row : CHANGE_ROWS) {
        const std::string record = fixture::record_bytes(row.contact);
        int seconds = 0;
        ASSERT_EQ(convert_record(record, countries, seconds, out).verdict, Verdict::accepted);
        std::string changes;
        for (std::size_t kind = 0; kind < CHANGE_KINDS; ++kind) {
            if (const Changed& change = out.changes[kind]; change.field != nullptr) {
                changes += (changes.empty() ? "" : "; ") + std::string(KINDS[kind]) + " " + std::string(change.field->name) +
                           " '" + std::string(change.from) + "'" + (kind == ODD_DATE ? "" : " -> '" + std::string(change.to) + "'");
            }
        }
        EXPECT_EQ(changes, row.changes) << ::testing::PrintToString(row.contact.call);
    }
}

}  // namespace
}  // namespace t2c

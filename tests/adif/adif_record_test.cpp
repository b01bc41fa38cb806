// One contact at a time as an ADIF record: a row per rule of the mapping, of the ADIF checks and
// of the DXCC entity by date; then every row in one log, written by the program and read by an
// independent strict reader.
#include "adif/adif_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "tools/dbf_builder.h"

namespace t2c::adif {
namespace {

using fixture::Contact;

struct Row {
    std::string name;
    Contact contact;
    std::vector<std::string> has = {};    // fields the record holds
    std::vector<std::string> lacks = {};  // and fields it must not
    std::string reason = "";              // or why it is left out
    AdifLog log = {};                     // the log's code page and options
    std::vector<LogField> header = {LOG_FIELDS.begin(), LOG_FIELDS.end()};  // the fields its header gives
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

const CountryTable COUNTRIES = {{"ITALY", "I"}, {"BUNDESREPUBLIK", "DL"}, {"NOWHERE", ""}, {"SLOVAKIA", "OK"}};

// The header's fields as the logbook writes them, or as given: by default TIME_END, REMARKS and
// QSL_DATE stand where the layout has them, SPARE and OTHER go unread.
AdifLog logbook(AdifLog log = {}, std::vector<LogField> fields = {LOG_FIELDS.begin(), LOG_FIELDS.end()}) {
    const std::string bytes = fixture::DbfBuilder{}.fields(fields).bytes();
    log.unread = unread_fields(read_field_descriptors(std::string_view(bytes).substr(32)));
    return log;
}

// The logbook's fields with the one at index renamed, or narrowed by a byte a field after it takes.
std::vector<LogField> header_with(std::size_t index, std::string_view name, bool narrowed = false) {
    std::vector<LogField> fields(LOG_FIELDS.begin(), LOG_FIELDS.end());
    fields[index].name = name;
    fields[index].width -= narrowed ? 1 : 0;
    if (narrowed) fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(index) + 1, {"PAD", 'C', 1, Take::unread, "", "", ""});
    return fields;
}

const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {"WritesTheContactWhole", {}, {"<CALL:5>Q1AAA <QSO_DATE:8>19990307 <TIME_ON:4>1430 <BAND:3>20m <FREQ:6>14.195 "
          "<MODE:3>SSB <RST_SENT:2>59 <RST_RCVD:2>57 <NAME:4>ANNA <QTH:4>ROMA <QSL_SENT:1>N <QSL_RCVD:1>N <COUNTRY:5>ITALY "
          "<DXCC:3>248 <APP_TARNWICK2ADIF_CODE2:2>XY <APP_TARNWICK2ADIF_CODE6:6>ABCDEF <TIME_OFF:4>1435 <EOR>\r\n"}},
        {"ReadsTimesWithOneHourDigit", {.time = "9:30"}, {"<TIME_ON:4>0930 "}},
        {"ReadsTimesWithoutColon", {.time = "0905"}, {"<TIME_ON:4>0905 "}},
        {"ReadsTimesWithAPoint", {.time = "14.30"}, {"<TIME_ON:4>1430 "}},
        {"WritesTheBandInLowerCase", {.band = "70CM", .frequency = "432,2"}, {"<BAND:4>70cm <FREQ:5>432.2 "}},
        {"KeepsABandADIFLacksAndTakesTheFrequencys", {.band = "11m", .frequency = "27.185"}, {"<FREQ:6>27.185 ", "<APP_TARNWICK2ADIF_BAND:3>11m "}, {"<BAND:"}},
        {"TakesTheBandOfTheFrequencyInKHz", {.band = "", .frequency = "14195"}, {"<BAND:3>20m <FREQ:6>14.195 "}},
        // A whole number is read as kHz before MHz, a number with a point as MHz before kHz.
        {"TakesAWholeNumberAsKHzFirst", {.band = "20", .frequency = "3500"}, {"<BAND:3>80m <APP_TARNWICK2ADIF_BAND:2>20 <FREQ:3>3.5 "}},
        {"Takes10120AsKHz", {.band = "", .frequency = "10120"}, {"<BAND:3>30m <FREQ:5>10.12 "}},
        {"Takes144300AsKHz", {.band = "", .frequency = "144300"}, {"<BAND:2>2m <FREQ:5>144.3 "}},
        {"Takes1296AsMHzWhereKHzFitsNoBand", {.band = "", .frequency = "1296"}, {"<BAND:4>23cm <FREQ:4>1296 "}},
        {"Takes7AsMHz", {.band = "", .frequency = "7"}, {"<BAND:3>40m <FREQ:1>7 "}},
        {"TakesAPointNumberAsKHzWhereMHzFitsNoBand", {.band = "", .frequency = "7025.0"}, {"<BAND:3>40m <FREQ:5>7.025 "}},
        {"WritesAFrequencyInKHzThatFitsTheBand", {.frequency = "14070.5"}, {"<BAND:3>20m <FREQ:7>14.0705 "}, {"APP_TARNWICK2ADIF_FREQ"}},
        {"WritesAWholeMHzThatFitsTheBand", {.band = "2m", .frequency = "144"}, {"<BAND:2>2m <FREQ:3>144 "}},
        {"KeepsAFrequencyInNoBand", {.frequency = "99"}, {"<BAND:3>20m ", "<APP_TARNWICK2ADIF_FREQ:2>99 "}, {"<FREQ:"}},
        {"KeepsAFrequencyThatDisagreesWithTheBand", {.frequency = "7.045"}, {"<BAND:3>20m ", "<APP_TARNWICK2ADIF_FREQ:5>7.045 "}, {"<FREQ:"}},
        {"KeepsAFrequencyThatIsNoNumber", {.frequency = "14.1.95"}, {"<BAND:3>20m ", "<APP_TARNWICK2ADIF_FREQ:7>14.1.95 "}, {"<FREQ:"}},
        {"RejectsAFrequencyWithANonDigitBeforeItsPoint", {.band = "", .frequency = "0:.12"}, {}, {}, "unknown band []"},
        {"WritesAModeItself", {.mode = "cw"}, {"<MODE:2>CW "}, {"<SUBMODE:"}},
        {"WritesASubmodeWithItsMode", {.mode = "USB"}, {"<MODE:3>SSB <SUBMODE:3>USB "}},
        {"NeverWritesAnImportOnlyMode", {.mode = "PSK31"}, {"<MODE:3>PSK <SUBMODE:5>PSK31 "}},
        {"WritesPacketAsPKT", {.mode = "PACKET"}, {"<MODE:3>PKT "}},
        {"WritesAmtorAsTOR", {.mode = "AMTOR"}, {"<MODE:3>TOR "}},
        {"WritesPactorAsPAC", {.mode = "PACTOR"}, {"<MODE:3>PAC "}},
        {"WritesReportsAndTextsWhole", {.report_sent = "59+", .name = "ANNA MARIA", .place = "  SAN REMO"},
         {"<RST_SENT:3>59+ ", "<NAME:10>ANNA MARIA <QTH:8>SAN REMO "}},
        {"WritesACardByTheBureau", {.qsl_sent = "B", .qsl_received = "D"}, {"<QSL_SENT:1>Y <QSL_SENT_VIA:1>B <QSL_RCVD:1>Y <QSL_RCVD_VIA:1>D "}},
        {"KeepsTheFlagS", {.qsl_sent = "S"}, {"<QSL_SENT:1>Y ", "<APP_TARNWICK2ADIF_QSL_SENT:1>S "}, {"<QSL_SENT_VIA:"}},
        {"WritesNoCardForNOrABlank", {.qsl_sent = "N", .qsl_received = " "}, {"<QSL_SENT:1>N <QSL_RCVD:1>N "}, {"APP_TARNWICK2ADIF_QSL"}},
        {"TakesFlagsInEitherCase", {.qsl_sent = "d", .qsl_received = "y"}, {"<QSL_SENT:1>Y <QSL_SENT_VIA:1>D <QSL_RCVD:1>Y "}, {"APP_TARNWICK2ADIF_QSL"}},
        {"TakesNInEitherCase", {.qsl_sent = "n"}, {"<QSL_SENT:1>N "}, {"APP_TARNWICK2ADIF_QSL"}},
        {"WritesNoAnswerForAnyOtherFlagAndKeepsIt", {.qsl_received = "X"}, {"<APP_TARNWICK2ADIF_QSL_RCVD:1>X "}, {"<QSL_RCVD:"}},
        {"WritesTheManager", {.manager = "Q9MGR"}, {"<QSL_VIA:5>Q9MGR "}},
        {"WritesAContinentInUpperCase", {.code2 = "eu"}, {"<CONT:2>EU "}, {"APP_TARNWICK2ADIF_CODE2"}},
        {"WritesALocator", {.code6 = "jn45AB"}, {"<GRIDSQUARE:6>JN45ab "}, {"APP_TARNWICK2ADIF_CODE6"}},
        {"WritesAFourCharacterLocator", {.code6 = "JN45"}, {"<GRIDSQUARE:4>JN45 "}},
        {"KeepsTheFieldsNoRowReads", {.qsl_date = "1999-04-01", .spare = "ZZ", .other = "MORE"}, {
             "<APP_TARNWICK2ADIF_QSL_DATE:10>1999-04-01 <APP_TARNWICK2ADIF_SPARE:2>ZZ <APP_TARNWICK2ADIF_OTHER:4>MORE "}},
        // The fields the converter leaves, by their place and what they hold.
        {"MovesTheEndTimeWithTheStartToUTC", {.date = "19991231", .time = "23:50", .time_end = "0010"},
         {"<QSO_DATE:8>19991231 <TIME_ON:4>2250 ", "<TIME_OFF:4>2310 <EOR>"}, {"QSO_DATE_OFF"}, "", {.utc_offset_minutes = 60}},
        {"PutsAnEndBeforeTheStartOnTheNextDay", {.date = "19991231", .time = "23:50", .time_end = "00.10"},
         {"<TIME_OFF:4>0010 <QSO_DATE_OFF:8>20000101 "}},
        {"KeepsAnEndThatIsNoTime", {.time_end = "14"}, {"<APP_TARNWICK2ADIF_TIME_END:2>14 "}, {"<TIME_OFF:"}},
        {"KeepsAnEndOfHour24", {.time_end = "24:00"}, {"<APP_TARNWICK2ADIF_TIME_END:5>24:00 "}, {"<TIME_OFF:"}},
        {"TakesTheEndTimeByItsPlaceWhateverItsName", {}, {"<TIME_OFF:4>1435 "}, {"APP_TARNWICK2ADIF_ENDE"}, "", {}, header_with(2, "ENDE")},
        {"KeepsAFieldOfAnotherWidthAtTheEndTimesPlace", {}, {"<APP_TARNWICK2ADIF_TIME_END:4>14:3 <APP_TARNWICK2ADIF_PAD:1>5 "},
         {"<TIME_OFF:"}, "", {}, header_with(2, "TIME_END", true)},
        {"WritesTheRemarksAsAComment", {.remarks = " DXPEDITION \x81" "BER "}, {"<COMMENT:16>DXPEDITION ueBER "}, {"_REMARKS:"}},
        {"WritesTheDateOfTheOneCardReceived", {.qsl_sent = "N", .qsl_received = "B", .qsl_date = "19990401"}, {"<QSLRDATE:8>19990401 "}, {"_QSL_DATE:"}},
        {"WritesTheDateOfTheOneCardSent", {.qsl_sent = "y", .qsl_date = "1999/04/01"}, {"<QSLSDATE:8>19990401 "}},
        {"TakesADateWithPoints", {.qsl_sent = "D", .qsl_date = "1999.04.01"}, {"<QSLSDATE:8>19990401 "}},
        {"TakesADateWithDashes", {.qsl_received = "D", .qsl_date = "1999-04-01"}, {"<QSLRDATE:8>19990401 "}},
        {"KeepsTheDateOfTwoCards", {.qsl_sent = "B", .qsl_received = "B", .qsl_date = "1999-04-01"}, {"<APP_TARNWICK2ADIF_QSL_DATE:10>1999-04-01 "}, {"<QSLRDATE:", "<QSLSDATE:"}},
        {"KeepsADateOfTwoSeparators", {.qsl_sent = "B", .qsl_date = "1999-04/01"}, {"<APP_TARNWICK2ADIF_QSL_DATE:10>1999-04/01 "}},
        {"KeepsADateNoCalendarHas", {.qsl_sent = "B", .qsl_date = "1999-02-30"}, {"<APP_TARNWICK2ADIF_QSL_DATE:10>1999-02-30 "}},
        {"KeepsADateOfMonthNought", {.qsl_sent = "B", .qsl_date = "1999-00-07"}, {"<APP_TARNWICK2ADIF_QSL_DATE:10>1999-00-07 "}},
        {"KeepsADateBefore1930", {.qsl_sent = "B", .qsl_date = "1929-12-31"}, {"<APP_TARNWICK2ADIF_QSL_DATE:10>1929-12-31 "}},
        {"SpellsCodePage437InASCII", {.name = "M\x81LLER\x01"}, {"<NAME:8>MueLLER? "}},
        {"SpellsCodePage850InASCII", {.name = "\xE4NE"}, {"<NAME:3>oNE "}, {}, "", {.code_page = CP850}},
        {"SpellsCodePage1252InASCII", {.name = "\xE4NE\x81"}, {"<NAME:5>aeNE? "}, {}, "", {.code_page = CP1252}},
        {"SignsEveryContact", {}, {"<STATION_CALLSIGN:4>Q0ME "}, {}, "", {.station_callsign = "Q0ME"}},
        {"MovesTheDateBackToUTC", {.date = "20000301", .time = "01:30"}, {"<QSO_DATE:8>20000229 <TIME_ON:4>2330 "}, {}, "",
         {.utc_offset_minutes = 120}},
        {"TakesTheLastMinuteOfTheDay", {.time = "23:59"}, {"<TIME_ON:4>2359 "}},
        // In 9999, the last year a log can write, as in any other.
        {"MovesTheDateBackIntoTheYearBefore", {.date = "99990101", .time = "00:30"}, {"<QSO_DATE:8>99981231 <TIME_ON:4>2330 "}, {}, "",
         {.utc_offset_minutes = 60}},
        {"MovesTheDateBackOneDayOnly", {.date = "20000302", .time = "01:30"}, {"<QSO_DATE:8>20000301 <TIME_ON:4>2330 "}, {}, "",
         {.utc_offset_minutes = 120}},
        {"MovesTheDateOnIntoTheNextMonth", {.date = "20000131", .time = "23:30"}, {"<QSO_DATE:8>20000201 <TIME_ON:4>0030 "}, {}, "",
         {.utc_offset_minutes = -60}},
        {"MovesTheDateOnToUTC", {.date = "19991231", .time = "21:15"}, {"<QSO_DATE:8>20000101 <TIME_ON:4>0245 "}, {}, "",
         {.utc_offset_minutes = -330}},
        // The DXCC entity by the contact's date.
        {"GivesADeletedEntityBeforeItsEnd", {.date = "19780101", .country = "CANAL ZONE"}, {"<COUNTRY:10>CANAL ZONE <DXCC:2>28 "}},
        {"GivesADeletedEntityNothingAfterItsEnd", {.date = "19800101", .country = "CANAL ZONE"}, {"<COUNTRY:10>CANAL ZONE "}, {"<DXCC:"}},
        {"GivesGermanyBefore1973ToTheOldEntity", {.date = "19700101", .country = "GERMANY"}, {"<COUNTRY:7>GERMANY <DXCC:2>81 "}},
        {"GivesGermanyAfter1973ToTheFederalRepublic", {.date = "19950101", .country = "GERMANY"},
         {"<COUNTRY:27>FEDERAL REPUBLIC OF GERMANY <DXCC:3>230 "}},
        {"GivesTheFederalRepublicBefore1973ToTheOldEntity", {.date = "19700101", .country = "FED. REP. OF GERMANY"}, {"<DXCC:2>81 "}},
        {"GivesOneSpellingOfTwoEntitiesByDate", {.date = "19700101", .country = "COMOROS"}, {"<COUNTRY:7>COMOROS <DXCC:2>39 "}},
        {"GivesAUsersOwnLineTheEntitiesOfItsPrefix", {.date = "19950101", .country = "BUNDESREPUBLIK"}, {"<DXCC:3>230 "}},
        {"GivesAUsersOwnLineTheEntityOfTheDate", {.date = "19700101", .country = "BUNDESREPUBLIK"}, {"<DXCC:2>81 "}},
        {"TakesAnOldNameBeforeALineOfDxccTxt", {.date = "19980101", .country = "SLOVAKIA"}, {"<DXCC:3>504 "}},
        {"ComparesSpellingsInUpperCase", {.country = "usa"}, {"<COUNTRY:24>UNITED STATES OF AMERICA <DXCC:3>291 "}},
        // The callsign picks among the entities of the country on the date.
        {"GivesAnOldLogsYugoslaviaTheCallsignsEntity", {.date = "19920601", .call = "9A2AB", .country = "YUGOSLAVIA"}, {"<COUNTRY:7>CROATIA <DXCC:3>497 "}},
        {"GivesAnOldLogsCzechoslovakiaTheCallsignsEntity", {.date = "19940301", .call = "OM3AB", .country = "CZECHOSLOVAKIA"}, {"<DXCC:3>504 "}},
        {"GivesAnOldLogsGermanyTheCallsignsEntity", {.date = "19850101", .call = "Y21AB", .country = "GERMANY"}, {"<DXCC:3>229 "}},
        {"GivesAnOldLogsUssrTheCallsignsEntity", {.date = "19850101", .call = "UB5ABC", .country = "USSR"}, {"<COUNTRY:7>UKRAINE <DXCC:3>288 "}},
        {"KeepsTheCountrysEntityWhereTheCallsignNamesAnother", {.date = "19920601", .call = "9A2AB"}, {"<COUNTRY:5>ITALY <DXCC:3>248 "}},
        {"WritesNoEntityWhereTheCallsignNamesNoneOfTheCountrys", {.date = "19850101", .call = "I1ABC", .country = "USSR"}, {"<COUNTRY:4>USSR "}, {"<DXCC:"}},
        {"GivesAnUnknownCountryTheCallsignsEntityAndKeepsIt", {.call = "dl1abc", .country = "ATLANTIS"},
         {"<COUNTRY:27>FEDERAL REPUBLIC OF GERMANY <DXCC:3>230 <APP_TARNWICK2ADIF_COUNTRY:8>ATLANTIS "}},
        {"TakesTheShorterPartOfACallWhereItIsAPrefix", {.call = "DL1ABC/EA8", .country = ""}, {"<DXCC:2>29 "}},
        {"TakesTheLongerPartOfACallWhereTheShorterIsNoPrefix", {.call = "DL1ABC/J", .country = ""}, {"<DXCC:3>230 "}},
        {"TakesALoneDigitForTheCallAreaDigit", {.call = "UA3ABC/9", .country = ""}, {"<DXCC:2>15 "}},
        {"TakesALoneDigitForTheCallAreaDigitRightAfterTheFirstLetter", {.call = "C1ABC/6", .country = ""}, {"<DXCC:2>60 "}},
        {"TakesTheCallAreaDigitAfterALetterOnly", {.call = "4X4AB/5", .country = ""}, {"<DXCC:3>336 "}},
        {"SetsAsidePortableAndTheLike", {.call = "UA3ABC/P/QRP", .country = ""}, {"<DXCC:2>54 "}},
        {"KeepsTheSuffixOfMountAthos", {.call = "SV2ABC/A", .country = ""}, {"<DXCC:3>180 "}},
        {"TakesASuffixAfterTheCallAreaDigit", {.call = "FT5ZA", .country = ""}, {"<DXCC:2>10 "}},
        {"WritesNoEntityAtSea", {.call = "I1ABC/MM"}, {"<COUNTRY:5>ITALY "}, {"<DXCC:"}},
        {"WritesNoEntityForAStartOfSeveral", {.call = "KC4AAA", .country = ""}, {}, {"<DXCC:", "<COUNTRY:"}},
        {"TakesTheCountrysOneOfTheCallsignsSeveral", {.call = "3D2AB", .country = "FIJI"}, {"<DXCC:3>176 "}},
        {"WritesAnUnknownCountryWithoutDXCC", {.country = "ATLANTIS  X"}, {"<COUNTRY:11>ATLANTIS  X "}, {"<DXCC:"}},
        {"GivesALineWithoutPrefixNoEntity", {.date = "19500101", .country = "NOWHERE"}, {"<COUNTRY:7>NOWHERE "}, {"<DXCC:"}},
        // What ADIF cannot take.
        {"RejectsADayTheMonthLacks", {.date = "19950230"}, {}, {}, "invalid date [19950230]"},
        {"RejectsADateBefore1930", {.date = "19291231"}, {}, {}, "invalid date [19291231]"},
        {"RejectsATimeWithoutMinutes", {.time = "14"}, {}, {}, "invalid time [14]"},
        {"RejectsATimeOfOneDigit", {.time = "9"}, {}, {}, "invalid time [9]"},
        {"RejectsATimeOfOtherCharacters", {.time = "14:3x"}, {}, {}, "invalid time [14:3x]"},
        {"RejectsAContactWithoutCall", {.call = " "}, {}, {}, "empty CALL field"},
        {"RejectsAModeADIFLacks", {.mode = "XYZ"}, {}, {}, "unknown mode [XYZ]"},
        {"RejectsAContactWithoutBandOrFrequency", {.band = "11m", .frequency = ""}, {}, {}, "unknown band [11m]"},
    };
    return table;
}

class AdifMapping : public ::testing::TestWithParam<Row> {};

TEST_P(AdifMapping, WritesWhatTheRowSays) {
    const Row& row = GetParam();
    AdifNotes notes;
    std::string line = "before ";
    EXPECT_EQ(append_adif_record(fixture::record_bytes(row.contact), COUNTRIES, logbook(row.log, row.header), notes, line).reason, row.reason);
    if (!row.reason.empty()) {
        EXPECT_EQ(line, "before ");
    }
    for (const std::string& field : row.has) EXPECT_NE(line.find(field), std::string::npos) << field << " not in " << line;
    for (const std::string& field : row.lacks) EXPECT_EQ(line.find(field), std::string::npos) << field << " in " << line;
}

INSTANTIATE_TEST_SUITE_P(Rows, AdifMapping, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<Row>& row) { return row.param.name; });

// tcadif, installed by scripts/test, must read the file as it is written.
void expect_strict_reader_accepts([[maybe_unused]] const std::filesystem::path& file, [[maybe_unused]] long contacts) {
#ifdef T2C_TCADIF
    const std::string command = "node '" T2C_SOURCE_DIR "/tests/adif/strict_read.js' '" T2C_TCADIF "' '" + file.string() + "' " +
                                std::to_string(contacts) + " '" T2C_SOURCE_DIR "/data'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
#else
    GTEST_SKIP() << "no tcadif in this build: scripts/test installs it";
#endif
}

TEST(AdifFile, OfEveryRowAndOfTheSamplePassesTheStrictReader) {
    fixture::DbfBuilder log;
    long contacts = 0;
    for (const Row& row : rows()) {
        if (!row.reason.empty()) continue;
        log.contact(row.contact);
        ++contacts;
    }
    testing::TempDir dir;
    testing::write_file(dir / "LOG.DBF", log.bytes());
    std::filesystem::copy_file(T2C_SOURCE_DIR "/dxcc.txt", dir / "dxcc.txt");
    std::filesystem::copy_file(T2C_SOURCE_DIR "/examples/sample.dbf", dir / "sample.dbf");
    const testing::RunOptions adif{.program = testing::adif_program_path()};
    EXPECT_EQ(testing::run_program(dir.path(), {"--station-callsign", "Q0ME", "LOG.DBF", "LOG.ADI"}, adif).exit_code, 0);
    EXPECT_EQ(testing::run_program(dir.path(), {"sample.dbf", "sample.adi"}, adif).exit_code, 0);
    expect_strict_reader_accepts(dir / "LOG.ADI", contacts);
    expect_strict_reader_accepts(dir / "sample.adi", 38);
}

TEST(AdifLog, TakesTheCodePageAndTheUnreadFieldsFromTheHeader) {
    for (const auto& [language, page] : {std::pair{0x00, CP437}, {0x02, CP850}, {0x03, CP1252}, {0x57, CP1252}, {0x64, CP437}}) {
        EXPECT_EQ(code_page_of(static_cast<std::uint8_t>(language)), page) << language;
    }
    std::vector<LogField> fields(LOG_FIELDS.begin(), LOG_FIELDS.end());
    fields.push_back({"ONE", 'C', 1, Take::unread, "", "", ""});
    fields.push_back({"NONE", 'C', 0, Take::unread, "", "", ""});
    std::string names;
    for (const UnreadField& unread : logbook({}, fields).unread) names += unread.name + " ";
    EXPECT_EQ(names, "TIME_END REMARKS QSL_DATE SPARE OTHER ONE ");
}

}  // namespace
}  // namespace t2c::adif

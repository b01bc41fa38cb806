// Whole runs on logs and country lists of random, damaged contacts, on one to four threads,
// against the model: every byte printed, reported and written must be the model's.
#include <gtest/gtest.h>

#include <tuple>
#include <random>
#include <string>
#include <vector>

#include "dbf/record_layout.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

using Random = std::mt19937;

std::string pick(Random& random, std::initializer_list<const char*> texts) {
    return texts.begin()[random() % texts.size()];
}

// Names that match, nearly match (a byte off, another case, a blank more) and share long
// beginnings and ends; LONGLAND has the longest prefix a line can carry.
std::vector<std::string> country_names() {
    std::vector<std::string> names = {"", "ITALY", "ITALZ", "ITALY X", "ITAL", "italy", " ITALY", "ITALY ", "LONGLAND",
                                      std::string(40, 'N'), std::string(39, 'N'), std::string(50, 'N')};
    for (int i = 0; i < 300; ++i) {
        const std::string number = std::to_string(i);
        names.push_back("LAND " + number);
        names.push_back(std::string(12, 'W') + number + std::string(12 - number.size(), 'E'));
        names.push_back(number);
    }
    return names;
}

// Every name twice, the later prefix winning, among the lines that a list may hold: comments,
// '#' after blanks, empty lines, lines without a TAB, lone CRs, zero bytes, lines too long for
// one read, CR LF and LF ends, and now and then a Ctrl-Z before the end. Then more short lines
// than the list's size led the table to make room for.
std::string country_list(Random& random, const std::vector<std::string>& names) {
    std::string list = "# countries\r\n" + std::string(238, 'L') + "\tLONGLAND\r\n";
    for (std::size_t i = 0; i < 2 * names.size(); ++i) {
        const std::string& name = names[random() % names.size()];
        std::string prefix = name == "LONGLAND" ? std::string(238, 'L') : std::string("P").append(std::to_string(i));
        const std::string end = random() % 2 ? "\n" : "\r\n";
        switch (random() % 24) {
            case 0: list += "#" + prefix + "\t" + name + end; break;
            case 1: list += "  #" + prefix + "\t" + name + end; break;
            case 2: list += end + "   " + end; break;
            case 3: list += prefix + "\r\x19\t" + name + "\r" + end; break;
            case 4: list += prefix + "\t" + name + std::string(1, '\0') + "X" + end; break;
            case 5: list += prefix + "\t" + name + std::string(250, 'x') + "\t" + name + end; break;
            case 6: list += "\t" + name + end; break;
            default: list += prefix + "\t" + name + end; break;
        }
    }
    for (int i = 0; i < 3000; ++i) list += std::to_string(i) + "\t" + std::to_string(i) + "\n";
    if (random() % 4 == 0) list.insert(list.size() - random() % 200, 1, '\x1A');
    return list;
}

constexpr char ODD_BYTES[] = {' ', ' ', '\0', '\x19', '\r', '\n', '0', '1', '5', '9', '+', '-',
                              '*', 'm',  ':',  'B',    'S',  'A',  '\t', '\xFF'};

// A plausible contact with a listed country, one with more words, or one that a double blank
// ends; then up to seven bytes or blank pairs set anywhere, now and then the rest zeroed; as
// long as the log's records, cut or filled up.
std::string random_record(Random& random, const std::vector<std::string>& names, std::size_t length) {
    std::string record = fixture::record_bytes({
        .deleted = random() % 16 == 0,
        .date = pick(random, {"19990307", "20231231", "19990013", "1999 1 7", "1999-1+1", "199912  ", "19990230"}),
        .time = pick(random, {"14:30", "9:30", "14", "0000", "23:59", "  :30", "1", "24:00", "12:60", "-1:-1", ""}),
        .band = pick(random, {"20m", "160m", "70cm", "20", "m"}),
        .frequency = pick(random, {"14.195", "1.8 MHz", "", "144.3001"}),
        .mode = pick(random, {"SSB", "RTTY", "CW  X", ""}),
        .call = pick(random, {"Q1AAA", "Q2BBB/P", "", "Q3 CCC", "Q4DDDDDDDDDDDDD"}),
        .report_sent = pick(random, {"59", "599", "5+9", "+", ""}),
        .report_received = pick(random, {"57", "5 9", "59+"}),
        .name = pick(random, {"ANNA", "ANNA MARIA", "", "ABCDEFGHIJKLMNO"}),
        .place = pick(random, {"ROMA", "NEW YORK CITY", "ROMA  CENTRO", "", "PQRSTUVWXYZ123456789", "A "}),
        .qsl_sent = pick(random, {"", "B", "D", "S", "s"}),
        .qsl_received = pick(random, {"", "B", "D", "S", "N"}),
        .manager = pick(random, {"", "Q2BBB", "Q1234567890Z", "Q5 EEE"}),
        .country = names[random() % names.size()] + pick(random, {"", "", "", " MORE", "  MORE"}),
        .code2 = pick(random, {"XY", "*A", "*", "", " Z"}),
        .code6 = pick(random, {"ABCDEF", "JN61 X", "", "A"}),
    });
    for (unsigned i = random() % 8; i > 0; --i) {
        const std::size_t at = random() % FIELDS_END;
        if (random() % 3 == 0) {
            record.replace(at, 2, "  ").resize(FIELDS_END);
        } else {
            record[at] = ODD_BYTES[random() % sizeof ODD_BYTES];
        }
    }
    if (random() % 20 == 0) record.replace(1 + random() % (FIELDS_END - 1), FIELDS_END, FIELDS_END, '\0');
    record.resize(length, '#');
    return record;
}

struct LogShape {
    std::uint16_t record_length;
    int records;
    std::vector<unsigned> workers;
};

// A log of that shape, with a wrong record count, now and then a gap before the first record, and
// the end-of-file byte or part of a record after the last.
std::string random_log(Random& random, const std::vector<std::string>& names, const LogShape& shape) {
    fixture::DbfBuilder log;
    for (int i = 0; i < shape.records; ++i) {
        // One chunk of lines with the longest prefix: more than the room first made for them.
        const bool long_lines = i / 4096 == 1 && shape.record_length == 209;
        log.raw_record(long_lines ? fixture::record_bytes({.country = "LONGLAND"})
                                  : random_record(random, names, shape.record_length));
    }
    log.record_length(shape.record_length).record_count(static_cast<std::uint32_t>(random() % 3)).end_of_file_byte(random() % 2);
    if (random() % 2) log.header_length(static_cast<std::uint16_t>(705 + random() % 300));
    return log.bytes() + std::string(random() % 2 ? random() % (shape.record_length + 1u) : 0, 'x');
}

void expect_same(const model::Run& run, const model::Run& expected, const std::string& context) {
    EXPECT_EQ(run.exit_code, expected.exit_code) << context;
    for (const auto& [what, actual, wanted] : {std::tuple{"stdout", &run.out, &expected.out}, {"stderr", &run.err, &expected.err},
                                               {"import file", &run.output, &expected.output}}) {
        // Compared without printing both: they run to megabytes.
        EXPECT_TRUE(*actual == *wanted) << context << ": the " << what << " differs";
    }
}

TEST(RunAgainstTheModel, GivesItsBytesOnAnyNumberOfThreads) {
    Random random(20261207);
    const std::vector<std::string> names = country_names();
    // Several chunks of 4,096 records with the last one part full, chunks cut by their size in
    // bytes (600), records shorter than their fields, of one byte, of none, and long ones, up to
    // the longest a header can give.
    for (const LogShape& shape : {LogShape{209, 3 * 4096 + 1234, {1, 2, 3, 4}}, LogShape{600, 5000, {1, 2, 4}},
                                  LogShape{150, 2000, {2}}, LogShape{1, 300, {2}}, LogShape{0, 5, {2}},
                                  LogShape{1000, 1500, {3}}, LogShape{65535, 40, {2}}}) {
        const std::string dxcc = country_list(random, names);
        const std::string log = random_log(random, names, shape);
        const model::Run expected = model::convert(dxcc, log);
        for (const unsigned workers : shape.workers) {
            testing::TempDir dir;
            expect_same(testing::run_in_process(dir.path(), dxcc, log, workers), expected,
                        std::to_string(shape.record_length) + "-byte records, " + std::to_string(workers) + " workers");
        }
        if (shape.record_length != 209) continue;
        // The mix reaches every verdict.
        for (const char* report : {"invalid month", "invalid day", "empty TIME_INI", "invalid hour", "invalid minute"}) {
            EXPECT_NE(expected.err.find(report), std::string::npos) << report;
        }
        EXPECT_GT(expected.output.size(), 500'000u);
    }
}

}  // namespace
}  // namespace t2c

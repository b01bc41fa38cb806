// Writes the seed corpus of every fuzz target: make_fuzz_seeds DIR writes DIR/<target>/<seed>.
// The committed corpus under fuzz/corpus is this program's output; scripts/fuzz checks that.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "tools/dbf_builder.h"

namespace {

namespace fs = std::filesystem;
using t2c::fixture::Contact;
using t2c::fixture::DbfBuilder;
using t2c::fixture::record_bytes;

using Seeds = std::vector<std::pair<std::string, std::string>>;

const std::string DXCC = "# test list\nI\tITALY\nF\tFRANCE\n";

std::string with_seconds(int seconds, const Contact& contact) {
    return std::string(1, static_cast<char>(seconds)) + record_bytes(contact);
}

Seeds record_seeds() {
    return {
        {"worked", with_seconds(0, {.qsl_sent = "B"})},
        {"deleted", with_seconds(0, {.deleted = true})},
        {"bad-month", with_seconds(0, {.date = "19991307"})},
        {"bad-day", with_seconds(0, {.date = "199903xx"})},
        {"empty-time", with_seconds(0, {.time = " 9:30"})},
        {"bad-hour", with_seconds(5, {.time = "25:00"})},
        {"bad-minute", with_seconds(5, {.time = "ab:3x"})},
        {"short-time", with_seconds(59, {.time = "14"})},
        {"hostile-fields", with_seconds(0, {.call = "Q1\rA\x19Z", .name = "AN\nNA", .country = "SEP"})},
        {"long-prefix", with_seconds(0, {.manager = "Q2BBB", .country = "LONG", .code2 = "*X"})},
        {"short-record", with_seconds(0, {}).substr(0, 120)},
    };
}

Seeds stream_seeds() {
    std::string long_record = record_bytes({});
    long_record.resize(1000, '#');
    return {
        {"three", DbfBuilder{}.contact({}).contact({.deleted = true}).contact({.call = "Q3CCC"}).bytes()},
        {"length-0", DbfBuilder{}.contact({}).record_length(0).bytes()},
        {"length-1", DbfBuilder{}.raw_record("*").raw_record(" ").record_length(1).bytes()},
        {"length-150", DbfBuilder{}.raw_record(record_bytes({}).substr(0, 150)).record_length(150).bytes()},
        {"length-1000", DbfBuilder{}.raw_record(long_record).record_length(1000).bytes()},
        {"truncated", DbfBuilder{}.contact({}).raw_record("garbage").bytes() + "after the end"},
        {"header-past-end", DbfBuilder{}.contact({}).header_length(0xFFFF).bytes().substr(0, 800)},
        {"header-only", DbfBuilder{}.header_length(32).record_length(7).bytes().substr(0, 32)},
    };
}

Seeds country_seeds() {
    return {
        {"small", DXCC},
        {"crlf-ctrl-z", "I\tITALY\r\nF\tFRANCE\r\n\x1A" "EA\tSPAIN\r\n"},
        {"lone-cr", "I\tITALY\r\rF\tFRANCE\r"},
        {"zero-byte", std::string("I\tITA\0LY\nF\0\tFRANCE\n", 20)},
        {"long-line", "A\t" + std::string(247, 'x') + "B\tBRAVO\nC\t" + std::string(247, 'y') + "\nD\tDELTA"},
        {"odd-lines", "#I\tITALY\n\n  #X\tHASH\n\tNO PREFIX\n   \nVERYLONGPREFIX\tLONG\nI\tITALY\nIT9\tITALY\n"},
    };
}

Seeds run_seeds() {
    using t2c::fuzz::join_run_input;
    return {
        {"worked", join_run_input(DXCC, DbfBuilder{}.contact({.qsl_sent = "B"}).bytes())},
        {"mixed", join_run_input(DXCC, DbfBuilder{}
                                           .contact({.country = "FRANCE"})
                                           .contact({.deleted = true, .call = "Q2BBB"})
                                           .contact({.date = "19991307", .call = "Q3CCC"})
                                           .contact({.time = "25:00", .call = "Q4DDD"})
                                           .contact({.time = "", .call = "Q5EEE"})
                                           .contact({.call = "Q6FFF", .country = "MARS"})
                                           .bytes())},
        {"short-source", join_run_input(DXCC, "\x03\x63\x03\x07")},
        {"length-1", join_run_input(DXCC, DbfBuilder{}.raw_record("*").raw_record("A").record_length(1).bytes())},
        {"length-150", join_run_input("I\r\x19X\tITALY\n",
                                      DbfBuilder{}.raw_record(record_bytes({}).substr(0, 150)).record_length(150).bytes())},
    };
}

void write_seeds(const fs::path& dir, const Seeds& seeds) {
    fs::create_directories(dir);
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + (dir / name).string());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_fuzz_seeds DIR\n", stderr);
        return 2;
    }
    const fs::path dir = argv[1];
    write_seeds(dir / "fuzz_convert_record", record_seeds());
    write_seeds(dir / "fuzz_record_stream", stream_seeds());
    write_seeds(dir / "fuzz_country_table", country_seeds());
    write_seeds(dir / "fuzz_run", run_seeds());
    return 0;
}

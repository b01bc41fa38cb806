// What the fuzz targets share: invariant checks that abort, an in-memory file with real file
// semantics, an independent model of which records the conversion must accept, and the byte
// layout of the whole-run target's input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace t2c::fuzz {

// Aborts with the broken invariant named, so that libFuzzer keeps the input as a crash.
void require(bool holds, const char* invariant);

// A file holding the bytes, positioned at its start: seeks past the end and reads behave as
// on a disk file. Never null (aborts instead).
std::FILE* memory_file(std::string_view bytes);

// Checks the import file's bytes line by line: seventeen 0x19 bytes, the always-empty fields
// empty, one CR LF at the very end and no other CR or LF. Returns the number of lines.
std::size_t check_import_lines(std::string_view bytes);

// The field texts of one import line (the part before each 0x19); index 0 is the date and time.
std::string_view import_field(std::string_view line, std::size_t index);

// A field text as the import line must carry it: 0x19, CR and LF become blanks.
std::string as_written(std::string_view text);

// Which verdict a record must get, worked out from its bytes without the converter's own
// helpers: numbers are read with the C library's "%2d" conversion.
struct Expected {
    enum Kind { deleted, accepted, month, day, empty_time, hour, minute } kind;
    int value = 0;      // the number a rejection reports
    std::string call;   // the callsign text, as the report prints it
    std::string time;   // the stamped start time of an accepted record
};

// record holds at least 209 bytes (zero-padded as the stream delivers it); seconds_counter
// moves exactly as the run's must.
Expected expect_conversion(std::string_view record, int& seconds_counter);

// The whole-run target's input: a two-byte little-endian length, that many bytes of dxcc.txt
// (fewer when the input ends first), then the source file.
struct RunInput {
    std::string_view dxcc;
    std::string_view source;
};
RunInput split_run_input(const std::uint8_t* data, std::size_t size);
std::string join_run_input(std::string_view dxcc, std::string_view source);

}  // namespace t2c::fuzz

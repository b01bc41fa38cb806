// One pass of a writing program over a log, as the converter makes it: its files opened in their
// order with the same guards and messages, every record handed on, the output written a chunk
// at a time, and a failure reported with its exit code.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "app/files.h"
#include "app/output_file.h"
#include "convert/import_record.h"
#include "country/country_table.h"
#include "dbf/header.h"

namespace t2c {

struct RunCounters {
    std::int64_t processed = 0;  // every whole record read
    std::int64_t converted = 0;  // every contact written
};

// All state of a run, from start to exit.
struct RunState {
    UniqueFile source;
    OutputFile output;
    UniqueFile country_file;
    DbfHeader header;
    CountryTable countries;
    RunCounters counters;
    int seconds_counter = 0;
    ImportRecord import_record;
    std::string lines;  // output of the records read, not yet written
};

// Opens the log (exit 1), refuses an output that is the log or dxcc.txt (exit 2), opens the
// output without changing it (exit 2), reads the log's header (exit 1), then opens and loads
// dxcc.txt (exit 1; 5 when memory runs out).
void open_inputs(RunState& state, const char* source_path, const char* output_path);

// Starts the output (an existing one is emptied only now) and prints the progress line to out,
// then hands every whole record of the log to take_record, counted in processed first. What is
// in state.lines by then, and what take_record appends to it, is written to the output after
// each chunk of records, and the output is closed at the end; what take_record reports on err
// is out before the function returns. A failed read or write ends the run through fatal,
// after the output of the records before it.
void write_records(RunState& state, std::FILE* out, std::FILE* err,
                   const std::function<void(std::string_view record)>& take_record);

// Calls body and returns its exit code, or that of a failure (memory running out included),
// reported on err; an output the run created but never started is removed.
int run_reporting(RunState& state, std::FILE* err, const std::function<int()>& body);

}  // namespace t2c

// One conversion run: banner, command line, the three files, the record loop and the summary.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/files.h"
#include "convert/import_record.h"
#include "country/country_table.h"
#include "dbf/header.h"

namespace t2c {

struct RunCounters {
    std::int64_t processed = 0;  // every whole record read
    std::int64_t converted = 0;  // every import line written
};

// All state of a run, from start to exit.
struct RunState {
    UniqueFile source;
    UniqueFile output;
    UniqueFile country_file;
    DbfHeader header;
    CountryTable countries;
    RunCounters counters;
    int seconds_counter = 0;
    ImportRecord import_record;
    std::string lines;  // import lines of the records read, not yet written
};

// Runs the program on its arguments (argv[0] the program path) and returns the exit code:
// 0 done, 1 the source or the country list unusable, 2 the output or out unusable, 3 usage,
// 5 out of memory. out and err take what the program prints and reports.
int run(RunState& state, int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace t2c

// One pass of a writing program over a log: its files opened in their order with the same
// guards and messages, every whole record handed out, and the output written a chunk of
// records at a time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "country/country_table.h"
#include "dbf/header.h"
#include "dbf/records.h"
#include "run/files.h"
#include "run/output_file.h"

namespace t2c {

class LogPass {
public:
    // Opens the log (exit 1), refuses an output that is the log or dxcc.txt (exit 2), opens the
    // output without changing it (exit 2), reads the log's header (exit 1), then opens and loads
    // dxcc.txt (exit 1; 5 when memory runs out). Should the run fail before start, an output
    // it created is removed and one that existed is left as it was.
    LogPass(const char* log_path, const char* output_path);

    std::FILE* log() const { return log_.get(); }
    const DbfHeader& header() const { return header_; }
    const CountryTable& countries() const { return countries_; }
    std::int64_t processed() const { return processed_; }  // every whole record handed out

    // The output of the records handed out, not yet written: a program appends to it.
    std::string lines;

    // Starts the output (an existing one is emptied only now) and prints the progress line.
    void start(std::FILE* out);

    // The next whole record of the log. What lines holds is written before each chunk of
    // records is read. False at the end; a failed read ends the run through fatal, after the
    // output of the records before it.
    bool next_record(std::string_view& record);

    // Writes what lines still holds and closes the output; then empties err, so that the
    // records' reports come before the summary.
    void finish(std::FILE* err);

private:
    void write_lines();

    UniqueFile log_;
    OutputFile output_;
    DbfHeader header_;
    UniqueFile country_file_;
    CountryTable countries_;
    RecordReader records_;
    std::int64_t processed_ = 0;
};

}  // namespace t2c

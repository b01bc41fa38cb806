#include "run/log_pass.h"

#include "run/fatal.h"
#include "run/inputs.h"

namespace t2c {

namespace {

UniqueFile open_log(const char* path) {
    UniqueFile log = open_file(path, "rb");
    if (!log) fatal("fopen(): input file", EXIT_INPUT);
    return log;
}

// Refused before anything is opened for writing: writing over the log or the country list
// would destroy the very data being converted.
const char* refuse_inputs(const char* output_path, const char* log_path) {
    if (same_file(output_path, log_path)) fatal("fopen(): output file", "it is the input file", EXIT_OUTPUT);
    if (same_file(output_path, COUNTRY_FILE_NAME)) fatal("fopen(): output file", "it is the DXCC database file", EXIT_OUTPUT);
    return output_path;
}

}  // namespace

LogPass::LogPass(const char* log_path, const char* output_path)
    : log_(open_log(log_path)), output_(refuse_inputs(output_path, log_path)), header_(read_log_header(log_.get())),
      country_file_(open_country_file()), countries_(load_countries(country_file_.get())),
      records_(log_.get(), header_) {}

void LogPass::start(std::FILE* out) {
    output_.start();
    std::fputs("*** Conversion in progress...\n", out);
    // Out before any report, also where both streams go to one file (2>&1), as on a console.
    std::fflush(out);
}

bool LogPass::next_record(std::string_view& record) {
    if (records_.chunk_done()) write_lines();
    if (records_.next(record)) {
        ++processed_;
        return true;
    }
    // Every line before a failed read is written; the rest of the log is given up.
    if (records_.error() != 0) fatal_system("read(): input file", records_.error(), EXIT_INPUT);
    return false;
}

void LogPass::finish(std::FILE* err) {
    write_lines();
    output_.close();
    std::fflush(err);
}

void LogPass::write_lines() {
    output_.write(lines);
    lines.clear();
}

}  // namespace t2c

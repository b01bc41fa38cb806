#include "app/log_pass.h"

#include "app/fatal.h"
#include "app/inputs.h"
#include "dbf/records.h"

namespace t2c {

namespace {

// The output of the records read so far, after their reports.
void write_lines(RunState& state) {
    if (std::fwrite(state.lines.data(), 1, state.lines.size(), state.output.file.get()) != state.lines.size()) {
        fatal("write(): output file", EXIT_OUTPUT);
    }
    state.lines.clear();
}

}  // namespace

void open_inputs(RunState& state, const char* source_path, const char* output_path) {
    state.source = open_file(source_path, "rb");
    if (!state.source) fatal("fopen(): input file", EXIT_INPUT);

    // Refused before anything is opened for writing: writing over the log or the country list
    // would destroy the very data being converted.
    if (same_file(output_path, source_path)) fatal("fopen(): output file", "it is the input file", EXIT_OUTPUT);
    if (same_file(output_path, COUNTRY_FILE_NAME)) {
        fatal("fopen(): output file", "it is the DXCC database file", EXIT_OUTPUT);
    }
    state.output = open_output(output_path);

    state.header = read_log_header(state.source.get());
    state.country_file = open_country_file();
    state.countries = load_countries(state.country_file.get());
}

void write_records(RunState& state, std::FILE* out, std::FILE* err,
                   const std::function<void(std::string_view record)>& take_record) {
    start_output(state.output);
    std::fputs("*** Conversion in progress...\n", out);
    // Out before any report, also where both streams go to one file (2>&1), as on a console.
    std::fflush(out);
    // The run writes a whole chunk's output at a time; unbuffered, a failed write shows at once.
    std::setvbuf(state.output.file.get(), nullptr, _IONBF, 0);
    const int error = read_records(
        state.source.get(), state.header,
        [&](std::string_view record) {
            ++state.counters.processed;
            take_record(record);
        },
        [&] { write_lines(state); });
    // Every line before a failed read is written; the rest of the log is given up.
    if (error != 0) fatal_system("read(): input file", error, EXIT_INPUT);
    write_lines(state);  // what came before the records, when there were none
    if (std::fclose(state.output.file.release()) != 0) fatal("write(): output file", EXIT_OUTPUT);
    // The reports come before the summary, as they would unbuffered.
    std::fflush(err);
}

int run_reporting(RunState& state, std::FILE* err, const std::function<int()>& body) {
    bool failed = true;
    const int code = report_failure(err, [&] {
        const int done = body();
        failed = false;
        return done;
    });
    if (failed) abandon_output(state.output);
    return code;
}

}  // namespace t2c

#include "app/run.h"

#include <cerrno>
#include <new>
#include <string_view>

#include "app/conversion.h"
#include "app/fatal.h"
#include "app/inputs.h"
#include "app/program_name.h"

namespace t2c {

namespace {

void print_usage(std::FILE* out, std::string_view name) {
    std::fprintf(out, "Syntax:\n %.*s tarnwick_file.dbf outfile.asc\n\n", static_cast<int>(name.size()),
                 name.data());
    std::fputs("tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\n", out);
    std::fputs("outfile.asc\t\toutput file to import in Corvane v6.xx\n", out);
}

void open_files(RunState& state, const char* source_path, const char* output_path) {
    state.source = open_file(source_path, "rb");
    if (!state.source) fatal("fopen(): input file", EXIT_INPUT);

    // Refused before anything is truncated: writing over the log or the country list would
    // destroy the very data being converted.
    if (same_file(output_path, source_path)) {
        fatal("fopen(): output file", "it is the input file", EXIT_OUTPUT);
    }
    if (same_file(output_path, COUNTRY_FILE_NAME)) {
        fatal("fopen(): output file", "it is the DXCC database file", EXIT_OUTPUT);
    }
    state.output = open_file(output_path, "wb");
    if (!state.output) fatal("fopen(): output file", EXIT_OUTPUT);
    // The run buffers whole chunks itself; unbuffered, every failed write shows at once.
    std::setvbuf(state.output.get(), nullptr, _IONBF, 0);

    state.header = read_log_header(state.source.get());
    state.country_file = open_country_file();
}

void finish_output(RunState& state) {
    if (std::fflush(state.output.get()) != 0) fatal("write(): output file", EXIT_OUTPUT);
    if (std::fclose(state.output.release()) != 0) fatal("write(): output file", EXIT_OUTPUT);
}

int convert(RunState& state, int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    std::fputs("Tarnwick2Corvane LogFile Converter, v1.10\n", out);
    std::fputs("To get more info about the program please read README.TXT file.\n\n", out);
    if (argc != 3) {
        print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        return EXIT_USAGE;
    }
    open_files(state, argv[1], argv[2]);
    state.countries = load_countries(state.country_file.get());
    std::fputs("*** Conversion in progress...\n", out);
    convert_records(state, err, state.workers != 0 ? state.workers : useful_workers());
    std::fflush(err);
    finish_output(state);
    std::fprintf(out, "*** Conversion completed.\nProcessed records:\t%lld\nConverted records:\t%lld\n",
                 static_cast<long long>(state.counters.processed),
                 static_cast<long long>(state.counters.converted));
    state.source.reset();
    state.country_file.reset();
    return 0;
}

int report(const Fatal& failure, std::FILE* err) {
    std::fprintf(err, "%s: %s\n", failure.message, reason_of(failure));
    // Out now, behind the reports, as if standard error were unbuffered; what the program
    // printed on standard output follows at exit, as it always did.
    std::fflush(err);
    return failure.code;
}

}  // namespace

int run(RunState& state, int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return convert(state, argc, argv, out, err);
    } catch (const Fatal& failure) {
        return report(failure, err);
    } catch (const std::bad_alloc&) {
        // Memory can also run out after the table is loaded (the read and write buffers), when a
        // large dxcc.txt took nearly all of it: the same report as in the table, never an abort.
        return report({"malloc()", nullptr, EXIT_MEMORY, ENOMEM}, err);
    }
}

}  // namespace t2c

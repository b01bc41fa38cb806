#include "app/run.h"

#include <new>
#include <string_view>

#include "app/fatal.h"
#include "app/inputs.h"
#include "app/program_name.h"
#include "convert/convert_record.h"
#include "convert/import_line.h"
#include "dbf/records.h"

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
    if (same_file(output_path, source_path)) fatal("fopen(): output file", "it is the input file", EXIT_OUTPUT);
    if (same_file(output_path, COUNTRY_FILE_NAME)) {
        fatal("fopen(): output file", "it is the DXCC database file", EXIT_OUTPUT);
    }
    state.output = open_file(output_path, "wb");
    if (!state.output) fatal("fopen(): output file", EXIT_OUTPUT);
    // The run writes a whole chunk's lines at a time; unbuffered, a failed write shows at once.
    std::setvbuf(state.output.get(), nullptr, _IONBF, 0);

    state.header = read_log_header(state.source.get());
    state.country_file = open_country_file();
}

void convert(RunState& state, std::string_view record, std::FILE* err) {
    ++state.counters.processed;
    const ConvertResult result = convert_record(record, state.countries, state.seconds_counter, state.import_record);
    if (result.verdict == Verdict::accepted) {
        append_import_line(state.import_record, state.lines);
        ++state.counters.converted;
    } else if (result.verdict == Verdict::rejected) {
        const std::string report = rejection_report(state.counters.processed, result, state.import_record.call);
        std::fwrite(report.data(), 1, report.size(), err);
    }
}

// The lines of the records read so far, after their reports.
void write_lines(RunState& state) {
    if (std::fwrite(state.lines.data(), 1, state.lines.size(), state.output.get()) != state.lines.size()) {
        fatal("write(): output file", EXIT_OUTPUT);
    }
    state.lines.clear();
}

void convert_records(RunState& state, std::FILE* err) {
    const int error = read_records(
        state.source.get(), state.header, [&](std::string_view record) { convert(state, record, err); },
        [&] { write_lines(state); });
    // Every line before a failed read is written; the rest of the log is given up.
    if (error != 0) fatal_system("read(): input file", error, EXIT_INPUT);
    if (std::fclose(state.output.release()) != 0) fatal("write(): output file", EXIT_OUTPUT);
}

int convert_log(RunState& state, int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    std::fputs("Tarnwick2Corvane LogFile Converter, v1.10\n", out);
    std::fputs("To get more info about the program please read README.TXT file.\n\n", out);
    if (argc != 3) {
        print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        return EXIT_USAGE;
    }
    open_files(state, argv[1], argv[2]);
    state.countries = load_countries(state.country_file.get());
    std::fputs("*** Conversion in progress...\n", out);
    convert_records(state, err);
    // The reports come before the summary, as they would unbuffered.
    std::fflush(err);
    std::fprintf(out, "*** Conversion completed.\nProcessed records:\t%lld\nConverted records:\t%lld\n",
                 static_cast<long long>(state.counters.processed),
                 static_cast<long long>(state.counters.converted));
    flush_standard_output(out);
    return 0;
}

int report(const Fatal& failure, std::FILE* err) {
    std::fprintf(err, "%s: %s\n", failure.message, failure.reason);
    // Out now, behind the reports, as if standard error were unbuffered; what the program
    // printed on standard output follows at exit, as it always did.
    std::fflush(err);
    return failure.code;
}

}  // namespace

int run(RunState& state, int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return convert_log(state, argc, argv, out, err);
    } catch (const Fatal& failure) {
        return report(failure, err);
    } catch (const std::bad_alloc&) {
        // Anywhere: loading a large dxcc.txt, or the buffers after it.
        return report({"malloc()", std::strerror(ENOMEM), EXIT_MEMORY}, err);
    }
}

}  // namespace t2c

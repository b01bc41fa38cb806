#include "app/run.h"

#include <string>
#include <string_view>

#include "app/fatal.h"
#include "app/program_name.h"
#include "convert/convert_record.h"
#include "convert/import_line.h"

namespace t2c {

namespace {

void print_usage(std::FILE* out, std::string_view name) {
    std::fprintf(out, "Syntax:\n %.*s tarnwick_file.dbf outfile.asc\n\n", static_cast<int>(name.size()),
                 name.data());
    std::fputs("tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\n", out);
    std::fputs("outfile.asc\t\toutput file to import in Corvane v6.xx\n", out);
}

void convert(RunState& state, std::string_view record, std::FILE* err) {
    const ConvertResult result = convert_record(record, state.countries, state.seconds_counter, state.import_record);
    if (result.verdict == Verdict::accepted) {
        append_import_line(state.import_record, state.lines);
        ++state.counters.converted;
    } else if (result.verdict == Verdict::rejected) {
        const std::string report = rejection_report(state.counters.processed, result, state.import_record.call);
        std::fwrite(report.data(), 1, report.size(), err);
    }
}

int convert_log(RunState& state, int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    std::fputs("Tarnwick2Corvane LogFile Converter, v1.10\n", out);
    std::fputs("To get more info about the program please read README.TXT file.\n\n", out);
    if (argc != 3) {
        print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        return EXIT_USAGE;
    }
    open_inputs(state, argv[1], argv[2]);
    write_records(state, out, err, [&](std::string_view record) { convert(state, record, err); });
    std::fprintf(out, "*** Conversion completed.\nProcessed records:\t%lld\nConverted records:\t%lld\n",
                 static_cast<long long>(state.counters.processed),
                 static_cast<long long>(state.counters.converted));
    flush_standard_output(out);
    return 0;
}

}  // namespace

int run_converter(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    RunState state;
    return run_reporting(state, err, [&] { return convert_log(state, argc, argv, out, err); });
}

}  // namespace t2c

#include "app/run.h"

#include <string>
#include <string_view>

#include "app/import_line.h"
#include "convert/convert_record.h"
#include "run/fatal.h"
#include "run/log_pass.h"
#include "run/program_name.h"

namespace t2c {

namespace {

void print_usage(std::FILE* out, std::string_view name) {
    std::fprintf(out, "Syntax:\n %.*s tarnwick_file.dbf outfile.asc\n\n", static_cast<int>(name.size()),
                 name.data());
    std::fputs("tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\n", out);
    std::fputs("outfile.asc\t\toutput file to import in Corvane v6.xx\n", out);
}

int convert_log(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    std::fputs("Tarnwick2Corvane LogFile Converter, v1.10\n", out);
    std::fputs("To get more info about the program please read README.TXT file.\n\n", out);
    if (argc != 3) {
        print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        return EXIT_USAGE;
    }
    LogPass pass(argv[1], argv[2]);
    pass.start(out);
    std::int64_t converted = 0;
    int seconds_counter = 0;
    ImportRecord contact;  // reused: no record costs an allocation
    for (std::string_view record; pass.next_record(record);) {
        const ConvertResult result = convert_record(record, pass.countries(), seconds_counter, contact);
        if (result.verdict == Verdict::accepted) {
            append_import_line(contact, pass.lines);
            ++converted;
        } else if (result.verdict == Verdict::rejected) {
            const std::string report = rejection_report(pass.processed(), result.reason, contact.call);
            std::fwrite(report.data(), 1, report.size(), err);
        }
    }
    pass.finish(err);
    std::fprintf(out, "*** Conversion completed.\nProcessed records:\t%lld\nConverted records:\t%lld\n",
                 static_cast<long long>(pass.processed()), static_cast<long long>(converted));
    flush_standard_output(out);
    return 0;
}

}  // namespace

int run_converter(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return convert_log(argc, argv, out, err);
    } catch (...) {
        return report_failure(err);
    }
}

}  // namespace t2c

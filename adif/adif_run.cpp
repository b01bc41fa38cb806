#include "adif/adif_run.h"

#include <charconv>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "adif/adif_record.h"
#include "adif/options.h"
#include "convert/convert_record.h"
#include "run/fatal.h"
#include "run/inputs.h"
#include "run/log_pass.h"
#include "run/program_name.h"

namespace t2c::adif {

namespace {

void print_usage(std::FILE* out, std::string_view name) {
    std::fprintf(out,
                 "Syntax:\n %.*s [--station-callsign CALL] [--utc-offset HOURS] tarnwick_file.dbf outfile.adi\n\n"
                 "tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\noutfile.adi\t\tADIF 3.1.7 file for any logger\n"
                 "--station-callsign CALL\tthe callsign used on the air, written in every contact\n"
                 "--utc-offset HOURS\thours the log's times are ahead of UTC (such as 1 or -5.5)\n",
                 static_cast<int>(name.size()), name.data());
}

// The time of writing, YYYYMMDD HHMMSS in UTC: SOURCE_DATE_EPOCH when set, so that the same log
// gives the same bytes in tests and packages.
std::string created_timestamp() {
    long long seconds = std::time(nullptr);
    const std::string_view epoch = std::getenv("SOURCE_DATE_EPOCH") != nullptr ? std::getenv("SOURCE_DATE_EPOCH") : "";
    const auto [end, error] = std::from_chars(epoch.data(), epoch.data() + epoch.size(), seconds);
    const auto time = static_cast<std::time_t>(seconds);
    const std::tm* utc = std::gmtime(&time);
    if ((!epoch.empty() && (error != std::errc() || end != epoch.data() + epoch.size() || seconds < 0)) || utc == nullptr) {
        fatal("SOURCE_DATE_EPOCH", "not a number of seconds from 1970 to 9999", EXIT_USAGE);
    }
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d %02d%02d%02d", utc->tm_year + 1900, utc->tm_mon + 1, utc->tm_mday,
                  utc->tm_hour, utc->tm_min, utc->tm_sec);
    return stamp;
}

std::string file_header() {
    std::string header = std::string("Contacts of a Tarnwick logbook, written by tarnwick2adif " T2C_VERSION).append(LINE_END);
    for (const auto& [name, value] : {std::pair<std::string_view, std::string>{"ADIF_VER", "3.1.7"},
                                      {"PROGRAMID", "TARNWICK2ADIF"},
                                      {"PROGRAMVERSION", T2C_VERSION},
                                      {"CREATED_TIMESTAMP", created_timestamp()}}) {
        append_field(header, name, value).append(LINE_END);
    }
    return header.append("<EOH>").append(LINE_END);
}

// The contacts written that the summary names, besides all of them.
struct AdifCounts {
    std::int64_t converted = 0, app_field = 0, respelled = 0, country_without_dxcc = 0, disagree = 0;

    void take(const AdifNotes& notes) {
        ++converted;
        app_field += notes.app_field ? 1 : 0;
        respelled += notes.respelled ? 1 : 0;
        country_without_dxcc += notes.country_without_dxcc ? 1 : 0;
        disagree += notes.entity.disagree ? 1 : 0;
    }
};

void print_summary(std::FILE* out, std::int64_t processed, const AdifCounts& counts) {
    std::fprintf(out,
                 "*** Conversion completed.\nProcessed records:\t%lld\nConverted records:\t%lld\n"
                 "Contacts with application fields:\t%lld\nContacts respelled in ASCII:\t%lld\n"
                 "Contacts with COUNTRY but no DXCC:\t%lld\nContacts whose callsign and country disagree:\t%lld\n",
                 static_cast<long long>(processed), static_cast<long long>(counts.converted),
                 static_cast<long long>(counts.app_field), static_cast<long long>(counts.respelled),
                 static_cast<long long>(counts.country_without_dxcc), static_cast<long long>(counts.disagree));
}

int write_adif(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    std::fputs("Tarnwick2ADIF LogFile Converter, v" T2C_VERSION "\n", out);
    std::fputs("To get more info about the program please read README.TXT file.\n\n", out);
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first == "--version") {
        std::fputs("tarnwick2adif " T2C_VERSION "\n", out);
        return 0;
    }
    std::optional<Arguments> arguments = first == "--help" ? std::nullopt : read_arguments(argc, argv);
    if (!arguments) {
        print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        return first == "--help" && argc == 2 ? 0 : EXIT_USAGE;
    }
    AdifLog& log = arguments->log;
    LogPass pass(arguments->log_path, arguments->output_path);
    // The field descriptors follow the header's first bytes; the records are read from the
    // header's end whatever this read leaves.
    if (std::fseek(pass.log(), HEADER_SIZE, SEEK_SET) != 0) fatal("read(): input file", EXIT_INPUT);
    log.unread = unread_fields(read_log_fields(pass.log(), pass.header()));
    log.code_page = code_page_of(pass.header().language);
    pass.lines = file_header();
    pass.start(out);
    AdifCounts counts;
    int seconds_counter = 0;
    ImportRecord checked;  // the converter's checks and the notes, reused: no record costs an allocation
    AdifNotes notes;
    for (std::string_view record; pass.next_record(record);) {
        // The converter's checks first, with their reports: what is written here is always
        // among what the converter writes.
        ConvertResult result = check_record(record, seconds_counter, checked);
        if (result.verdict == Verdict::accepted) result = append_adif_record(record, pass.countries(), log, notes, pass.lines);
        if (result.verdict == Verdict::rejected) {
            const std::string report = rejection_report(pass.processed(), result.reason, checked.call);
            std::fwrite(report.data(), 1, report.size(), err);
        } else if (result.verdict == Verdict::accepted) {
            counts.take(notes);
        }
    }
    pass.finish(err);
    print_summary(out, pass.processed(), counts);
    flush_standard_output(out);
    return 0;
}

}  // namespace

int run_adif(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return write_adif(argc, argv, out, err);
    } catch (...) {
        return report_failure(err);
    }
}

}  // namespace t2c::adif

#include "adif/adif_run.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "adif/adif_record.h"
#include "app/fatal.h"
#include "app/inputs.h"
#include "app/program_name.h"
#include "convert/convert_record.h"
#include "text/field.h"

namespace t2c::adif {

namespace {

constexpr long long MOST_OFFSET_HOURS = 14;  // the earth's time zones reach from UTC-12 to UTC+14

void print_usage(std::FILE* out, std::string_view name) {
    std::fprintf(out,
                 "Syntax:\n %.*s [--station-callsign CALL] [--utc-offset HOURS] tarnwick_file.dbf outfile.adi\n\n"
                 "tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\noutfile.adi\t\tADIF 3.1.7 file for any logger\n"
                 "--station-callsign CALL\tthe callsign used on the air, written in every contact\n"
                 "--utc-offset HOURS\thours the log's times are ahead of UTC (such as 1 or -5.5)\n",
                 static_cast<int>(name.size()), name.data());
}

// Hours written as an optional sign, digits, and optionally a point and digits (5, 05, -5.5,
// +1), within the time zones' range, in minutes rounded half away from zero. Fraction digits
// past the ninth are read but not counted: they move no offset by a minute.
bool read_offset(std::string_view text, int& minutes) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "0" : text.substr(point + 1);
    const auto digits = [](std::string_view part) { return !part.empty() && std::all_of(part.begin(), part.end(), is_digit); };
    if (!digits(whole) || !digits(fraction)) return false;
    long long hours = 0, numerator = 0, denominator = 1;
    for (const char c : whole) hours = std::min(hours * 10 + (c - '0'), MOST_OFFSET_HOURS + 1);
    for (const char c : fraction.substr(0, 9)) numerator = numerator * 10 + (c - '0'), denominator *= 10;
    const bool beyond = std::any_of(fraction.begin(), fraction.end(), [](char c) { return c != '0'; });
    if (hours > MOST_OFFSET_HOURS || (hours == MOST_OFFSET_HOURS && beyond)) return false;
    const long long total = hours * 60 + (numerator * 60 * 2 + denominator) / (denominator * 2);
    minutes = static_cast<int>(negative ? -total : total);
    return true;
}

// The options, then exactly the log and the output (files[0] and [1]); false for anything else.
bool read_arguments(int argc, const char* const* argv, AdifLog& log, const char* files[2]) {
    int at = 1;
    for (; at + 1 < argc && std::string_view(argv[at]).starts_with("--"); at += 2) {
        const std::string_view option = argv[at], value = argv[at + 1];
        if (option == "--station-callsign" && !value.empty()) {
            log.station_callsign = value;
        } else if (option != "--utc-offset" || !read_offset(value, log.utc_offset_minutes)) {
            return false;
        }
    }
    if (argc - at != 2) return false;
    files[0] = argv[at];
    files[1] = argv[at + 1];
    return true;
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

void write_contact(RunState& state, AdifCounts& counts, const AdifLog& log, std::string_view record, std::FILE* err) {
    // The converter's checks first, with their reports: what is written here is always among
    // what the converter writes.
    const ConvertResult result = check_record(record, state.seconds_counter, state.import_record);
    RecordTally tally;
    const std::string why = result.verdict == Verdict::accepted
                                ? append_adif_record(record, state.countries, log, tally, state.lines)
                                : result.verdict == Verdict::rejected ? rejection_reason(result) : "";
    if (result.verdict == Verdict::deleted || !why.empty()) {
        const std::string report = why.empty() ? "" : rejection_report(state.counters.processed, why, state.import_record.call);
        std::fwrite(report.data(), 1, report.size(), err);
        ++(why.empty() ? counts.deleted : counts.rejected);
        return;
    }
    ++state.counters.converted;
    counts.app_field += tally.app_field ? 1 : 0;
    counts.respelled += tally.respelled ? 1 : 0;
    counts.country_without_dxcc += tally.country_without_dxcc ? 1 : 0;
}

int write_adif(RunState& state, AdifCounts& counts, int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    std::fputs("Tarnwick2ADIF LogFile Converter, v" T2C_VERSION "\n", out);
    std::fputs("To get more info about the program please read README.TXT file.\n\n", out);
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first == "--version") {
        std::fputs("tarnwick2adif " T2C_VERSION "\n", out);
        return 0;
    }
    AdifLog log;
    const char* files[2] = {};
    if (first == "--help" || !read_arguments(argc, argv, log, files)) {
        print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        return first == "--help" && argc == 2 ? 0 : EXIT_USAGE;
    }
    open_inputs(state, files[0], files[1]);
    // The field descriptors follow the header's first bytes; the records are read from the
    // header's end whatever this read leaves.
    if (std::fseek(state.source.get(), HEADER_SIZE, SEEK_SET) != 0) fatal("read(): input file", EXIT_INPUT);
    log.unread = unread_fields(read_log_fields(state.source.get(), state.header));
    log.code_page = code_page_of(state.header.language);
    state.lines = file_header();
    write_records(state, out, err, [&](std::string_view record) { write_contact(state, counts, log, record, err); });
    std::fprintf(out,
                 "*** Conversion completed.\nProcessed records:\t%lld\nConverted records:\t%lld\n"
                 "Contacts with application fields:\t%lld\nContacts respelled in ASCII:\t%lld\n"
                 "Contacts with COUNTRY but no DXCC:\t%lld\n",
                 static_cast<long long>(state.counters.processed), static_cast<long long>(state.counters.converted),
                 static_cast<long long>(counts.app_field), static_cast<long long>(counts.respelled),
                 static_cast<long long>(counts.country_without_dxcc));
    flush_standard_output(out);
    return 0;
}

}  // namespace

int run_adif(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    RunState state;
    AdifCounts counts;
    return run_reporting(state, err, [&] { return write_adif(state, counts, argc, argv, out, err); });
}

}  // namespace t2c::adif

#include "check/check.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "check/country_check.h"
#include "check/layout_check.h"
#include "check/record_check.h"
#include "check/shown_bytes.h"
#include "dbf/field_descriptors.h"
#include "dbf/records.h"
#include "run/fatal.h"
#include "run/files.h"
#include "run/inputs.h"
#include "run/program_name.h"

namespace t2c {

namespace {

// What the check found, worked out whole before any of it is printed.
struct Findings {
    std::vector<LayoutDifference> layout_differences;
    RecordTally records;
    std::vector<std::string> log_end;
    bool cut_short = false;
    std::vector<UnknownCountry> unknown_countries;
    std::vector<UnknownCountry> mixed_countries;
    DxccFindings dxcc;
};

constexpr int EXIT_FOUND = 4;      // contacts lost or changed, a cut-short log, a faulty dxcc.txt line
constexpr int EXIT_MISREAD = 6;    // fields or records where the converter would read them wrongly
constexpr int CTRL_Z = 0x1A;

std::string counted(std::int64_t count, const char* one, const char* more) {
    return std::to_string(count) + " " + (count == 1 ? one : more);
}

void print_usage(std::FILE* out, std::string_view name) {
    std::fprintf(out, "Syntax:\n %.*s tarnwick_file.dbf\n\n", static_cast<int>(name.size()), name.data());
    std::fputs("tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile, checked against dxcc.txt\n", out);
}

// Every whole record of the log through the tally, read as the converter reads them.
void tally_records(std::FILE* log, const DbfHeader& header, const CountryTable& countries, RecordTally& tally) {
    RecordReader records(log, header);
    for (std::string_view record; records.next(record);) tally_record(tally, countries, record);
    if (records.error() != 0) fatal_system("read(): input file", records.error(), EXIT_INPUT);
}

// How the log ends after its whole records: a lone end-of-file byte, or nothing, is the
// normal end; anything else is told, and whether the log looks cut short.
void check_log_end(std::FILE* log, const DbfHeader& header, Findings& findings) {
    const std::int64_t records = findings.records.records, length = header.record_length;
    // A size past what ftell can tell (2 GiB on Windows) leaves only the record count to go by.
    const std::int64_t size = std::fseek(log, 0, SEEK_END) == 0 ? std::ftell(log) : -1;
    const std::int64_t rest = size - header.header_length - records * length;
    std::vector<std::string>& lines = findings.log_end;
    if (size >= 0 && rest < 0) {
        lines.push_back("the records should start at byte " + std::to_string(header.header_length) +
                        ", past the end of the file at " + std::to_string(size));
    } else if (size >= 0 && length > 0 && rest > 0 &&
               !(rest == 1 && std::fseek(log, -1, SEEK_END) == 0 && std::getc(log) == CTRL_Z)) {
        lines.push_back("the last record is cut short: " + std::to_string(rest) + " of its " +
                        counted(length, "byte", "bytes"));
    }
    const std::string counts = "the header counts " + counted(header.record_count, "record", "records") +
                               ", the file holds " + (records < header.record_count ? "only " : "") +
                               std::to_string(records);
    if (records < header.record_count) lines.push_back(counts);
    findings.cut_short = !lines.empty();
    if (findings.cut_short) {
        lines.emplace_back("The log looks cut short: copy it again from the logbook's disk or backup.");
    }
    if (records > header.record_count) lines.push_back(counts + ": all of them are converted");
}

Findings check_log(const char* log_path) {
    const UniqueFile log = open_file(log_path, "rb");
    if (!log) fatal("fopen(): input file", EXIT_INPUT);
    const DbfHeader header = read_log_header(log.get());
    Findings findings;
    findings.layout_differences =
        layout_differences(header.record_length, read_log_fields(log.get(), header));

    const UniqueFile country_file = open_country_file();
    const CountryTable countries = load_countries(country_file.get());
    findings.dxcc = dxcc_findings(country_file.get());
    if (std::ferror(country_file.get()) != 0) fatal("read(): DXCC database file.", EXIT_INPUT);
    tally_records(log.get(), header, countries, findings.records);
    check_log_end(log.get(), header, findings);
    findings.unknown_countries = unknown_countries(findings.records.countries, countries);
    findings.mixed_countries = mixed_countries(findings.records.countries);
    return findings;
}

// The counts of the forecast, in a fixed form that a start file can take apart by its words.
void print_forecast(std::FILE* out, const RecordTally& tally) {
    const std::string records = counted(tally.records, "record", "records");
    const std::string contacts = counted(tally.contacts, "contact", "contacts");
    std::fprintf(out, "%s: %s will be converted, %s rejected, %s deleted; %s the prefix ??.\n", records.c_str(),
                 contacts.c_str(), std::to_string(tally.rejected.count).c_str(), std::to_string(tally.deleted).c_str(),
                 counted(tally.unknown_country, "contact gets", "contacts get").c_str());
}

// A heading and its lines, each indented, when there are any.
void print_part(std::FILE* out, const std::string& heading, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    std::fprintf(out, "%s\n", heading.c_str());
    for (const std::string& line : lines) std::fprintf(out, "  %s\n", line.c_str());
}

void print_records(std::FILE* out, const Findings& findings) {
    const RecordTally& tally = findings.records;
    print_part(out, "Log end:", findings.log_end);
    const std::string rejected = counted(tally.rejected.count, "record", "records");
    print_part(out, "Rejected: " + rejected + " the conversion leaves out:", tally.rejected.first);
    std::vector<std::string> carried;
    for (std::size_t kind = 0; kind < tally.carried.size(); ++kind) {
        const RecordKind& shown = tally.carried[kind];
        if (shown.count == 0) continue;
        std::string line = CARRIED_KINDS[kind] + (": " + counted(shown.count, "contact", "contacts"));
        const char* separator = ": ";
        for (const std::string& first : shown.first) line.append(std::exchange(separator, ", ")).append(first);
        carried.push_back(std::move(line));
    }
    print_part(out, "Carried differently from the log, the first records of each kind shown:", carried);
}

void print_dxcc(std::FILE* out, const DxccFindings& dxcc) {
    const std::int64_t faults = static_cast<std::int64_t>(dxcc.faults.size());
    print_part(out, "dxcc.txt: " + counted(faults, "line", "lines") + " to mend:", dxcc.faults);
    print_part(out, "dxcc.txt: names given another prefix by a later line, which wins:", dxcc.repeats);
}

void print_layout(std::FILE* out, const std::vector<LayoutDifference>& differences) {
    if (differences.empty()) {
        std::fputs("Field layout: as the Tarnwick logbook writes it.\n", out);
        return;
    }
    const std::string count = counted(static_cast<std::int64_t>(differences.size()), "difference", "differences");
    std::fprintf(out, "Field layout: %s from what the converter reads:\n", count.c_str());
    for (const LayoutDifference& difference : differences) std::fprintf(out, "  %s\n", difference.text.c_str());
}

// How many contacts spell the country so, and where the first is.
std::string contacts_of(const UnknownCountry& country) {
    const std::string first = std::to_string(country.first_record);
    return country.contacts == 1 ? "1 contact, record " + first
                                 : counted(country.contacts, "contact", "contacts") + ", the first in record " + first;
}

void print_countries(std::FILE* out, std::int64_t contacts, const std::vector<UnknownCountry>& unknown) {
    if (unknown.empty()) {
        std::fprintf(out, "Countries: dxcc.txt gives every contact a prefix (%s).\n",
                     counted(contacts, "contact", "contacts").c_str());
        return;
    }
    std::int64_t missed = 0;
    for (const UnknownCountry& country : unknown) missed += country.contacts;
    std::fprintf(out, "Countries: %s in %s %s not in dxcc.txt; %s the prefix ??:\n",
                 counted(static_cast<std::int64_t>(unknown.size()), "spelling", "spellings").c_str(),
                 counted(missed, "contact", "contacts").c_str(), unknown.size() == 1 ? "is" : "are",
                 missed == 1 ? "that contact gets" : "those contacts get");
    for (const UnknownCountry& country : unknown) {
        std::fprintf(out, "  '%s': %s\n", shown_bytes(country.spelling).c_str(), contacts_of(country).c_str());
        // The raw bytes, a real TAB between them: the line as dxcc.txt wants it.
        if (const auto& prefix = country.suggested_prefix) {
            std::fprintf(out, "    suggestion: %.*s\t%.*s\n", static_cast<int>(prefix->size()), prefix->data(),
                         static_cast<int>(country.spelling.size()), country.spelling.data());
        } else if (country.matching_names > 1) {
            std::fprintf(out, "    no suggestion: %s of dxcc.txt match it\n",
                         counted(static_cast<std::int64_t>(country.matching_names), "name", "names").c_str());
        }
    }
}

// The countries whose contacts no one prefix serves, and the contacts whose callsign names other
// entities than their country: what the ADIF file gives them is not what the import file does.
void print_entities(std::FILE* out, const Findings& findings) {
    std::vector<std::string> lines;
    for (const UnknownCountry& country : findings.mixed_countries) {
        lines.push_back(quoted_bytes(country.spelling) + ": " + contacts_of(country) + ": " + country.why);
    }
    print_part(out, "Countries whose contacts count for entities no single line of dxcc.txt can serve (the ADIF file "
                    "gives each contact the entity its date and callsign pick):", lines);
    const RecordKind& disagreeing = findings.records.disagreeing;
    print_part(out, "Callsign and country disagree in " + counted(disagreeing.count, "contact", "contacts") +
                    " (the ADIF file keeps the country's entity where it names one):", disagreeing.first);
}

int exit_code(const Findings& findings) {
    const auto moved = [](const LayoutDifference& difference) { return difference.moved; };
    if (std::any_of(findings.layout_differences.begin(), findings.layout_differences.end(), moved)) return EXIT_MISREAD;
    const RecordTally& tally = findings.records;
    const auto has = [](const RecordKind& kind) { return kind.count > 0; };
    const bool found = tally.rejected.count > 0 || tally.unknown_country > 0 || findings.cut_short ||
                       tally.disagreeing.count > 0 || !findings.mixed_countries.empty() ||
                       !findings.dxcc.faults.empty() || std::any_of(tally.carried.begin(), tally.carried.end(), has);
    return found ? EXIT_FOUND : 0;
}

int check(int argc, const char* const* argv, std::FILE* out) {
    const std::string_view option = argc == 2 ? argv[1] : "";
    if (argc != 2 || option == "--help" || option == "--version") {
        if (option == "--version") {
            std::fputs("tarnwick2corvane-check " T2C_VERSION "\n", out);
        } else {
            print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        }
        flush_standard_output(out);
        return argc != 2 ? EXIT_USAGE : 0;
    }
    const Findings findings = check_log(argv[1]);
    errno = 0;
    print_forecast(out, findings.records);
    print_records(out, findings);
    print_countries(out, findings.records.contacts, findings.unknown_countries);
    print_entities(out, findings);
    print_dxcc(out, findings.dxcc);
    print_layout(out, findings.layout_differences);
    flush_standard_output(out);
    return exit_code(findings);
}

}  // namespace

int run_check(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return check(argc, argv, out);
    } catch (...) {
        return report_failure(err);
    }
}

}  // namespace t2c

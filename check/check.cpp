#include "check/check.h"

#include <cerrno>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "app/fatal.h"
#include "app/files.h"
#include "app/inputs.h"
#include "app/program_name.h"
#include "check/country_check.h"
#include "check/layout_check.h"
#include "check/shown_bytes.h"
#include "dbf/field_descriptors.h"
#include "dbf/records.h"

namespace t2c {

namespace {

// What the check found, worked out whole before any of it is printed.
struct Findings {
    std::vector<std::string> layout_differences;
    std::int64_t contacts = 0;
    std::vector<UnknownCountry> unknown_countries;
};

void print_usage(std::FILE* out, std::string_view name) {
    std::fprintf(out, "Syntax:\n %.*s tarnwick_file.dbf\n\n", static_cast<int>(name.size()), name.data());
    std::fputs("tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile, checked against dxcc.txt\n", out);
}

// Every whole record of the log through the tally, read as the converter reads them.
CountryTally tally_records(std::FILE* log, const DbfHeader& header, const CountryTable& countries) {
    CountryTally tally;
    const int error =
        read_records(log, header, [&](std::string_view record) { tally_record(tally, countries, record); });
    if (error != 0) fatal_system("read(): input file", error, EXIT_INPUT);
    return tally;
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
    const CountryTally tally = tally_records(log.get(), header, countries);
    findings.contacts = tally.contacts;
    findings.unknown_countries = unknown_countries(tally, countries);
    return findings;
}

std::string counted(std::int64_t count, const char* one, const char* more) {
    return std::to_string(count) + " " + (count == 1 ? one : more);
}

void print_layout(std::FILE* out, const std::vector<std::string>& differences) {
    if (differences.empty()) {
        std::fputs("Field layout: as the Tarnwick logbook writes it.\n", out);
        return;
    }
    const std::string count = counted(static_cast<std::int64_t>(differences.size()), "difference", "differences");
    std::fprintf(out, "Field layout: %s from what the converter reads:\n", count.c_str());
    for (const std::string& difference : differences) std::fprintf(out, "  %s\n", difference.c_str());
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
        const std::string first = std::to_string(country.first_record);
        const std::string where = country.contacts == 1
                                      ? "1 contact, record " + first
                                      : counted(country.contacts, "contact", "contacts") + ", the first in record " + first;
        std::fprintf(out, "  '%s': %s\n", shown_bytes(country.spelling).c_str(), where.c_str());
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

int check(int argc, const char* const* argv, std::FILE* out) {
    if (argc != 2) {
        print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        return EXIT_USAGE;
    }
    const Findings findings = check_log(argv[1]);
    errno = 0;
    print_layout(out, findings.layout_differences);
    print_countries(out, findings.contacts, findings.unknown_countries);
    flush_standard_output(out);
    return findings.layout_differences.empty() && findings.unknown_countries.empty() ? 0 : 1;
}

int report(const Fatal& failure, std::FILE* err) {
    std::fprintf(err, "%s: %s\n", failure.message, failure.reason);
    return failure.code;
}

}  // namespace

int run_check(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return check(argc, argv, out);
    } catch (const Fatal& failure) {
        return report(failure, err);
    } catch (const std::bad_alloc&) {
        return report({"malloc()", std::strerror(ENOMEM), EXIT_MEMORY}, err);
    }
}

}  // namespace t2c

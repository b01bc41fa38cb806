// The record loop, on one thread and on several, against the plainest conversion there is: one
// record after another with one seconds counter.
#include "app/conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/fatal.h"
#include "convert/convert_record.h"
#include "convert/import_line.h"
#include "dbf/header.h"
#include "support/temp_dir.h"
#include "tools/dbf_builder.h"

namespace t2c {
namespace {

using fixture::Contact;

// Each kind of record, in a cycle of prime length so that every kind falls on both sides of
// every chunk boundary: those that use up a seconds value, those that do not, and times that
// are read partly from their own seconds stamp.
std::vector<Contact> mixed_contacts(int count) {
    std::vector<Contact> contacts;
    for (int i = 0; i < count; ++i) {
        Contact contact{.call = std::string("Q").append(std::to_string(i))};
        switch (i % 11) {
            case 1: contact.deleted = true; break;
            case 2: contact.date = "19991307"; break;  // no month 13
            case 3: contact.time = "25:00"; break;     // no hour 25, but stamped
            case 4: contact.time = "14"; break;        // the stamp stands in for the minute
            case 5: contact.time = ""; break;
            case 6: contact.time = "1"; break;         // the stamp's digits decide
            case 7: contact.country = "NOWHERE"; break;
            case 8: contact.country = "LONGLAND"; break;
            case 9: contact.date = "19990700"; break;  // no day 0
            case 10: contact.date = "19990732"; break;  // nor 32
            default: break;
        }
        contacts.push_back(contact);
    }
    return contacts;
}

CountryTable countries() {
    CountryTable table;
    add_country(table, "ITALY", "I");
    // Lines far longer than the room made for a chunk's lines at first.
    add_country(table, "LONGLAND", std::string(20'000, 'L'));
    return table;
}

std::string contents(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
    return bytes;
}

struct Converted {
    std::string lines;
    std::string reports;
    RunCounters counters;
    std::optional<Fatal> failure;
};

// The record of a contact, with extra bytes behind its fields when the log's records are longer.
std::string record_of(const Contact& contact, std::size_t extra) {
    return fixture::record_bytes(contact).append(extra, '#');
}

Converted one_by_one(const std::vector<Contact>& contacts, const CountryTable& table, std::size_t extra = 0) {
    Converted expected;
    const UniqueFile reports(std::tmpfile());
    int seconds_counter = 0;
    ImportRecord out{};
    for (const Contact& contact : contacts) {
        ++expected.counters.processed;
        const std::string record = record_of(contact, extra);
        const ConvertResult result = convert_record(record, table, seconds_counter, out);
        if (result.verdict == Verdict::accepted) {
            write_import_line(out, expected.lines);
            ++expected.counters.converted;
        } else if (result.verdict == Verdict::rejected) {
            write_rejection_report(reports.get(), expected.counters.processed, result, out);
        }
    }
    expected.reports = contents(reports.get());
    return expected;
}

Converted convert_log(const std::vector<Contact>& contacts, const CountryTable& table, unsigned workers,
                      const char* output_path = nullptr, std::size_t extra = 0) {
    testing::TempDir dir;
    fixture::DbfBuilder builder;
    for (const Contact& contact : contacts) builder.raw_record(record_of(contact, extra));
    builder.record_length(static_cast<std::uint16_t>(fixture::record_bytes({}).size() + extra));
    testing::write_file(dir / "LOG.DBF", builder.bytes());

    RunState state;
    state.source = open_file((dir / "LOG.DBF").c_str(), "rb");
    unsigned char header[HEADER_SIZE];
    EXPECT_EQ(std::fread(header, 1, HEADER_SIZE, state.source.get()), HEADER_SIZE);
    state.header = read_header(header);
    state.countries = table;
    state.output = output_path != nullptr ? open_file(output_path, "wb") : UniqueFile(std::tmpfile());
    std::setvbuf(state.output.get(), nullptr, _IONBF, 0);
    const UniqueFile reports(std::tmpfile());

    Converted converted;
    try {
        convert_records(state, reports.get(), workers);
    } catch (const Fatal& failure) {
        converted.failure = failure;
    }
    if (output_path == nullptr) converted.lines = contents(state.output.get());
    converted.reports = contents(reports.get());
    converted.counters = state.counters;
    return converted;
}

TEST(ConvertRecords, WritesWhatOneRecordAfterAnotherGivesOnAnyNumberOfThreads) {
    // Several chunks, the last of them partly filled; with 600-byte records a chunk is cut by
    // its size in bytes rather than its number of records.
    const std::vector<Contact> contacts = mixed_contacts(3 * 4096 + 1234);
    const CountryTable table = countries();
    for (const std::size_t extra : {std::size_t{0}, std::size_t{391}}) {
        const Converted expected = one_by_one(contacts, table, extra);
        ASSERT_GT(expected.counters.converted, 0);
        ASSERT_FALSE(expected.reports.empty());
        for (const unsigned workers : {1u, 2u, 3u, 4u}) {
            const Converted converted = convert_log(contacts, table, workers, nullptr, extra);
            const std::string context = std::to_string(workers) + " workers, " + std::to_string(extra) + " extra bytes";
            EXPECT_FALSE(converted.failure) << context;
            EXPECT_EQ(converted.lines, expected.lines) << context;
            EXPECT_EQ(converted.reports, expected.reports) << context;
            EXPECT_EQ(converted.counters.processed, expected.counters.processed) << context;
            EXPECT_EQ(converted.counters.converted, expected.counters.converted) << context;
        }
    }
}

TEST(ConvertRecords, AFailedWriteIsTheLastThingReported) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full";
    const std::vector<Contact> contacts = mixed_contacts(3 * 4096);
    const CountryTable table = countries();
    const Converted expected = one_by_one(contacts, table);
    std::optional<std::string> reports_before_failure;
    for (const unsigned workers : {1u, 2u, 4u}) {
        const Converted converted = convert_log(contacts, table, workers, "/dev/full");
        ASSERT_TRUE(converted.failure) << workers << " workers";
        EXPECT_STREQ(converted.failure->message, "write(): output file");
        EXPECT_STREQ(reason_of(*converted.failure), std::strerror(ENOSPC));
        EXPECT_EQ(converted.failure->code, EXIT_OUTPUT);
        // The reports of the records before the failed lines, whole and in order, and none after.
        EXPECT_TRUE(expected.reports.starts_with(converted.reports)) << workers << " workers";
        EXPECT_LT(converted.reports.size(), expected.reports.size()) << workers << " workers";
        EXPECT_TRUE(converted.reports.empty() || converted.reports.ends_with("\n\n")) << workers << " workers";
        if (!reports_before_failure) reports_before_failure = converted.reports;
        EXPECT_EQ(converted.reports, *reports_before_failure) << workers << " workers";
    }
}

}  // namespace
}  // namespace t2c

// The converter's inner loop and its table loading, measured apart from file reading:
// one record converted, converted and written as an import line, a country looked up in
// lists of different lengths, and a country list loaded.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_log.h"
#include "convert/convert_record.h"
#include "convert/import_line.h"
#include "country/country_table.h"

namespace t2c {
namespace {

constexpr std::size_t LOG_COUNTRIES = 340;
constexpr std::size_t LOG_RECORDS = 4096;  // enough that the mix repeats rarely, small enough for the cache

CountryTable load_list(const std::string& list_bytes) {
    std::FILE* file = fmemopen(const_cast<char*>(list_bytes.data()), list_bytes.size(), "rb");
    if (file == nullptr) throw std::runtime_error("fmemopen failed");
    TextLines lines(file);
    CountryTable table = load_country_table(lines, list_bytes.size());  // sized as the run does
    std::fclose(file);
    return table;
}

struct SampleLog {
    CountryTable countries;
    std::vector<std::string> records;
};

const SampleLog& sample_log() {
    static const SampleLog log = [] {
        bench::Random random;
        const auto countries = bench::make_countries(random, LOG_COUNTRIES);
        SampleLog made{load_list(bench::country_list(countries)), {}};
        for (std::size_t i = 0; i < LOG_RECORDS; ++i) {
            made.records.push_back(fixture::record_bytes(bench::make_contact(random, countries)));
        }
        return made;
    }();
    return log;
}

void report_records(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sample_log().records[0].size()));
}

void BM_ConvertRecord(benchmark::State& state) {
    const SampleLog& log = sample_log();
    int seconds_counter = 0;
    ImportRecord out{};
    std::size_t i = 0;
    for (auto _ : state) {
        const ConvertResult result = convert_record(log.records[i], log.countries, seconds_counter, out);
        benchmark::DoNotOptimize(result);
        out = {};
        i = (i + 1) % log.records.size();
    }
    report_records(state);
}
BENCHMARK(BM_ConvertRecord);

// The run's per-record path: conversion, then the line appended to the output chunk.
void BM_ConvertAndWriteLine(benchmark::State& state) {
    const SampleLog& log = sample_log();
    int seconds_counter = 0;
    ImportRecord out{};
    // Lines written into a chunk as the run does; the sample's prefixes are short, so a line's
    // room stays well within the 4096 bytes behind the chunk.
    constexpr std::size_t CHUNK = std::size_t{1} << 20;
    const auto lines = std::make_unique_for_overwrite<char[]>(CHUNK + 4096);
    char* end = lines.get();
    std::size_t i = 0;
    for (auto _ : state) {
        if (convert_record(log.records[i], log.countries, seconds_counter, out).verdict == Verdict::accepted) {
            end = write_import_line(out, end);
        }
        if (static_cast<std::size_t>(end - lines.get()) >= CHUNK) end = lines.get();
        out = {};
        i = (i + 1) % log.records.size();
    }
    benchmark::DoNotOptimize(lines.get());
    report_records(state);
}
BENCHMARK(BM_ConvertAndWriteLine);

// The same cost whatever the list's length. The names looked up are those of a log: at most
// a few hundred countries, here spread over the whole list; cycling through all of 10,000
// names would measure the processor's caches rather than the lookup.
void BM_FindCountry(benchmark::State& state) {
    bench::Random random;
    const auto countries = bench::make_countries(random, static_cast<std::size_t>(state.range(0)));
    const CountryTable table = load_list(bench::country_list(countries));
    std::vector<std::string> names;
    const std::size_t step = countries.size() > LOG_COUNTRIES ? countries.size() / LOG_COUNTRIES : 1;
    for (std::size_t i = 0; i < countries.size() && names.size() < LOG_COUNTRIES; i += step) {
        names.push_back(countries[i].name);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(find_country(table, names[i]));
        i = (i + 1) % names.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindCountry)->Arg(10)->Arg(340)->Arg(10'000);

void BM_LoadCountryTable(benchmark::State& state) {
    bench::Random random;
    const std::string list =
        bench::country_list(bench::make_countries(random, static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) {
        const CountryTable table = load_list(list);
        benchmark::DoNotOptimize(table.entry_lines);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(list.size()));
}
BENCHMARK(BM_LoadCountryTable)->Arg(340)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace t2c

BENCHMARK_MAIN();

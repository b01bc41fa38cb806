// Writes a large contact log and its country list for the benchmark script:
//   make_bench_log RECORDS LOG.DBF DXCC.TXT [COUNTRIES]
// The log mixes contacts as bench_log.h describes, over a list of 340 countries (or as many
// as COUNTRIES says). With the word
// "huge" for RECORDS it writes instead a sparse log of more than 4 GiB: records of 65535 bytes,
// all zero bytes (each rejected for its month) but the last, a valid contact past 4 GiB.
#include <sys/types.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_log.h"

namespace {

constexpr std::size_t DEFAULT_COUNTRY_COUNT = 340;
constexpr std::uint16_t HUGE_RECORD_LENGTH = 65535;
constexpr long long HUGE_RECORD_COUNT = (1LL << 32) / HUGE_RECORD_LENGTH + 2;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool write(std::FILE* file, const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Everything before the last record is left a hole, so the file takes almost no disk space.
bool write_huge_log(const char* path, const std::vector<t2c::bench::Country>& countries) {
    std::string last = t2c::fixture::record_bytes({.call = "Q9BIG", .country = countries[0].name});
    last.resize(HUGE_RECORD_LENGTH, ' ');
    const std::string header = t2c::fixture::DbfBuilder{}
                                   .record_length(HUGE_RECORD_LENGTH)
                                   .record_count(static_cast<std::uint32_t>(HUGE_RECORD_COUNT))
                                   .end_of_file_byte(false)
                                   .bytes();
    const auto last_offset = static_cast<off_t>(header.size() + (HUGE_RECORD_COUNT - 1) * HUGE_RECORD_LENGTH);
    File log(std::fopen(path, "wb"));
    return log != nullptr && write(log.get(), header) &&
           fseeko(log.get(), last_offset, SEEK_SET) == 0 && write(log.get(), last + "\x1A") &&
           std::fclose(log.release()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fputs("usage: make_bench_log RECORDS LOG.DBF DXCC.TXT [COUNTRIES]\n", stderr);
        return 2;
    }
    const bool huge = std::string(argv[1]) == "huge";
    const unsigned long long record_count = huge ? 0 : std::strtoull(argv[1], nullptr, 10);
    t2c::bench::Random random;
    const std::size_t country_count = argc == 5 ? std::strtoull(argv[4], nullptr, 10) : DEFAULT_COUNTRY_COUNT;
    const auto countries = t2c::bench::make_countries(random, country_count);

    File dxcc(std::fopen(argv[3], "wb"));
    bool ok = dxcc != nullptr && write(dxcc.get(), t2c::bench::country_list(countries)) &&
              std::fclose(dxcc.release()) == 0;
    if (huge) {
        if (ok && write_huge_log(argv[2], countries)) return 0;
        std::perror("make_bench_log");
        return 1;
    }

    // The header comes from the builder without records; the records follow it one by one, so
    // that a log of any size is written without holding it in memory.
    File log(std::fopen(argv[2], "wb"));
    ok = ok && log != nullptr &&
         write(log.get(), t2c::fixture::DbfBuilder{}
                              .record_count(static_cast<std::uint32_t>(record_count))
                              .end_of_file_byte(false)
                              .bytes());
    for (unsigned long long i = 0; ok && i < record_count; ++i) {
        ok = write(log.get(), t2c::fixture::record_bytes(t2c::bench::make_contact(random, countries)));
    }
    ok = ok && write(log.get(), "\x1A") && std::fclose(log.release()) == 0;
    if (!ok) {
        std::perror("make_bench_log");
        return 1;
    }
    return 0;
}

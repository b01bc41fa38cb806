// A whole run on an arbitrary source file and dxcc.txt, written into a folder of the target's
// own that it works in. Every record is accounted for: the counters, the reports on standard
// error and the import lines must agree with a model walk over the same bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/run.h"
#include "dbf/record_layout.h"
#include "fuzz/fuzz_support.h"

namespace {

namespace fs = std::filesystem;
using t2c::fuzz::Expected;
using t2c::fuzz::require;

const std::string BANNER =
    "Tarnwick2Corvane LogFile Converter, v1.10\n"
    "To get more info about the program please read README.TXT file.\n\n";

fs::path work_dir;
fs::path start_dir;

void remove_work_dir() {
    std::error_code ignored;
    fs::remove_all(work_dir, ignored);
}

void write_whole(const char* path, std::string_view bytes) {
    std::FILE* file = std::fopen(path, "wb");
    require(file != nullptr, "the work folder takes files");
    require(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(), "the work folder takes bytes");
    require(std::fclose(file) == 0, "the work folder keeps the bytes");
}

std::string read_whole(const char* path) {
    std::string bytes;
    std::FILE* file = std::fopen(path, "rb");
    require(file != nullptr, "the output file exists");
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
    std::fclose(file);
    return bytes;
}

struct Captured {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&text, &size);
    std::string take() {
        std::fclose(stream);
        std::string bytes(text, size);
        std::free(text);
        return bytes;
    }
};

// What the run must have done with the source's records.
struct Walk {
    std::int64_t records = 0;
    std::int64_t deleted = 0;
    std::vector<std::int64_t> rejected;  // record numbers, in order
    std::vector<std::string> accepted_calls;
};

Walk walk_records(std::string_view source) {
    Walk walk;
    const auto le16 = [&](std::size_t i) {
        return std::size_t{static_cast<unsigned char>(source[i])} | std::size_t{static_cast<unsigned char>(source[i + 1])} << 8;
    };
    const std::size_t header_length = le16(8);
    const std::size_t length = le16(10);
    if (length == 0 || source.size() <= header_length) return walk;
    int seconds_counter = 0;
    for (std::size_t at = header_length; source.size() - at >= length; at += length) {
        std::string record(source.substr(at, length));
        if (record.size() < t2c::FIELDS_END) record.resize(t2c::FIELDS_END, '\0');
        ++walk.records;
        const Expected expected = t2c::fuzz::expect_conversion(record, seconds_counter);
        if (expected.kind == Expected::deleted) ++walk.deleted;
        else if (expected.kind == Expected::accepted) walk.accepted_calls.push_back(expected.call);
        else walk.rejected.push_back(walk.records);
    }
    return walk;
}

// The record numbers of the reports, in the order written. A call cannot hold a blank, so the
// report's first words never occur inside one.
std::vector<std::int64_t> reported_numbers(const std::string& err) {
    const std::string mark = "ERROR: record ";
    std::vector<std::int64_t> numbers;
    for (std::size_t at = err.find(mark); at != std::string::npos; at = err.find(mark, at + 1)) {
        numbers.push_back(std::strtoll(err.c_str() + at + mark.size(), nullptr, 10));
    }
    return numbers;
}

std::string summary(std::int64_t processed, std::int64_t converted) {
    return "*** Conversion in progress...\n*** Conversion completed.\nProcessed records:\t" +
           std::to_string(processed) + "\nConverted records:\t" + std::to_string(converted) + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/t2c-fuzz-XXXXXX";
    require(mkdtemp(pattern.data()) != nullptr, "a work folder can be made");
    work_dir = pattern;
    std::atexit(remove_work_dir);
    start_dir = fs::current_path();
    return 0;
}

namespace {

// Works in the work folder for one input only: libFuzzer's corpus and crash paths may be relative.
struct InWorkDir {
    InWorkDir() { require(chdir(work_dir.c_str()) == 0, "the work folder can be entered"); }
    ~InWorkDir() { require(chdir(start_dir.c_str()) == 0, "the start folder can be entered again"); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const t2c::fuzz::RunInput input = t2c::fuzz::split_run_input(data, size);
    const InWorkDir in_work_dir;
    write_whole("LOG.DBF", input.source);
    write_whole("dxcc.txt", input.dxcc);
    std::remove("OUT.ASC");

    Captured out;
    Captured err;
    const char* argv[] = {"tarnwick2corvane", "LOG.DBF", "OUT.ASC", nullptr};
    t2c::RunState state;
    const int code = t2c::run(state, 3, argv, out.stream, err.stream);
    const std::string printed = out.take();
    const std::string reported = err.take();
    const std::string output = read_whole("OUT.ASC");

    if (input.source.size() < 32) {
        require(code == 1, "a source shorter than its header ends the run with code 1");
        require(printed == BANNER, "a failed run prints no progress");
        require(reported == "read(): input file: shorter than its 32-byte dBASE header\n", "the short source is named");
        require(output.empty(), "a failed run leaves the output empty");
        return 0;
    }
    require(code == 0, "a readable source and dxcc.txt convert");

    const Walk walk = walk_records(input.source);
    const t2c::RunCounters& counters = state.counters;
    require(counters.processed == walk.records, "every whole record is processed");
    const std::vector<std::int64_t> rejected = reported_numbers(reported);
    require(counters.processed == counters.converted + static_cast<std::int64_t>(rejected.size()) + walk.deleted,
            "processed = converted + rejected + deleted");
    require(rejected == walk.rejected, "each rejected record is reported once, in order");
    require(counters.converted == static_cast<std::int64_t>(walk.accepted_calls.size()),
            "exactly the valid records are converted");
    require(printed == BANNER + summary(counters.processed, counters.converted), "the summary shows the counters");

    require(t2c::fuzz::check_import_lines(output) == walk.accepted_calls.size(), "one line per converted record");
    std::string_view lines = output;
    for (const std::string& call : walk.accepted_calls) {
        require(t2c::fuzz::import_field(lines, 1) == t2c::fuzz::as_written(call), "the lines keep source order");
        lines.remove_prefix(lines.find('\n') + 1);
    }
    return 0;
}

// A whole conversion of any log and dxcc.txt, run inside this process in a folder of the
// target's own, under AddressSanitizer and UndefinedBehaviorSanitizer: besides never crashing,
// overrunning or hanging, every run keeps what the import file and the summary promise. The
// input is a two-byte little-endian length, that many bytes of dxcc.txt (fewer when the input
// ends first), then the log.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/run.h"
#include "support/temp_dir.h"

namespace {

const t2c::testing::TempDir work_dir;  // removed at exit

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "the run breaks a promise: %s\n", what);
    std::abort();
}

std::size_t count(std::string_view text, std::string_view what) {
    std::size_t found = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++found;
    return found;
}

struct Run {
    int exit_code;
    std::string out, err, output;
};

Run convert(std::string_view dxcc, std::string_view log) {
    using t2c::testing::read_file;
    std::filesystem::current_path(work_dir.path());
    t2c::testing::write_file("LOG.DBF", log);
    t2c::testing::write_file("dxcc.txt", dxcc);
    std::filesystem::remove("OUT.ASC");
    const char* argv[] = {"tarnwick2corvane", "LOG.DBF", "OUT.ASC", nullptr};
    Run run{};
    {
        // Closed, with all the run left open, before anything is read back.
        t2c::RunState state;
        const t2c::UniqueFile out = t2c::open_file("stdout", "wb");
        const t2c::UniqueFile err = t2c::open_file("stderr", "wb");
        run.exit_code = t2c::run(state, 3, argv, out.get(), err.get());
    }
    run.out = read_file("stdout");
    run.err = read_file("stderr");
    if (std::filesystem::exists("OUT.ASC")) run.output = read_file("OUT.ASC");
    return run;
}

// Seventeen separators and one CR LF a line; every whole record processed, and either
// converted, reported or deleted.
void require_promises(const Run& run, std::string_view log) {
    for (std::string_view lines = run.output; !lines.empty();) {
        const std::size_t end = lines.find("\r\n");
        require(end != std::string_view::npos, "the import file ends in a whole line");
        const std::string_view line = lines.substr(0, end);
        require(count(line, "\x19") == 17 && line.ends_with('\x19'), "seventeen fields a line");
        require(line.find_first_of("\r\n") == std::string_view::npos, "one CR LF a line");
        lines.remove_prefix(end + 2);
    }
    if (run.exit_code != 0) return;
    const auto le16 = [&](std::size_t at) {
        return std::size_t{static_cast<unsigned char>(log[at])} | std::size_t{static_cast<unsigned char>(log[at + 1])} << 8;
    };
    std::size_t records = 0;
    std::size_t deleted = 0;
    const std::size_t length = le16(10);
    for (std::size_t at = le16(8); length != 0 && at < log.size() && log.size() - at >= length; at += length) {
        ++records;
        deleted += log[at] == '*' ? 1 : 0;
    }
    const std::size_t converted = count(run.output, "\r\n");
    require(run.out.ends_with("Processed records:\t" + std::to_string(records) + "\nConverted records:\t" +
                              std::to_string(converted) + "\n") &&
                records == converted + count(run.err, "ERROR: record ") + deleted,
            "processed = converted + rejected + deleted, every whole record processed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t length = size < 2 ? 0 : std::min(static_cast<std::size_t>(data[0] | data[1] << 8), size - 2);
    const std::string_view dxcc = input.substr(size < 2 ? 0 : 2, length);
    const std::string_view log = input.substr(size < 2 ? 0 : 2 + length);
    require_promises(convert(dxcc, log), log);
    return 0;
}

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
#include <utility>
#include <string_view>

#include "app/run.h"
#include "run/files.h"
#include "support/temp_dir.h"

namespace {

using t2c::testing::read_file;

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

// The log's whole records, and those of them marked deleted, by its header.
std::pair<std::size_t, std::size_t> records_of(std::string_view log) {
    const auto byte = [&](std::size_t at) { return std::size_t{static_cast<std::uint8_t>(log[at])}; };
    const std::size_t length = byte(10) | byte(11) << 8;
    std::size_t records = 0, deleted = 0;
    for (std::size_t at = byte(8) | byte(9) << 8; length != 0 && at < log.size() && log.size() - at >= length; at += length, ++records) {
        deleted += log[at] == '*' ? 1 : 0;
    }
    return {records, deleted};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t length = size < 2 ? 0 : std::min(static_cast<std::size_t>(data[0] | data[1] << 8), size - 2);
    const std::string_view log = input.substr(size < 2 ? 0 : 2 + length);
    std::filesystem::current_path(work_dir.path());
    t2c::testing::write_file("LOG.DBF", log);
    t2c::testing::write_file("dxcc.txt", input.substr(size < 2 ? 0 : 2, length));
    std::filesystem::remove("OUT.ASC");
    int code = 0;
    {
        // Closed, with all the run left open, before anything is read back.
        const t2c::UniqueFile out = t2c::open_file("stdout", "wb");
        const t2c::UniqueFile err = t2c::open_file("stderr", "wb");
        const char* argv[] = {"tarnwick2corvane", "LOG.DBF", "OUT.ASC", nullptr};
        code = t2c::run_converter(3, argv, out.get(), err.get());
    }
    const std::string output = std::filesystem::exists("OUT.ASC") ? read_file("OUT.ASC") : "";
    for (std::string_view lines = output; !lines.empty();) {
        const std::size_t end = lines.find("\r\n");
        require(end != std::string_view::npos, "the import file ends in a whole line");
        const std::string_view line = lines.substr(0, end);
        require(count(line, "\x19") == 17 && line.ends_with('\x19'), "seventeen fields a line");
        require(line.find_first_of("\r\n") == std::string_view::npos, "one CR LF a line");
        lines.remove_prefix(end + 2);
    }
    if (code != 0) return 0;
    const auto [records, deleted] = records_of(log);
    const std::size_t converted = count(output, "\r\n");
    require(read_file("stdout").ends_with("Processed records:\t" + std::to_string(records) + "\nConverted records:\t" +
                                          std::to_string(converted) + "\n") &&
                records == converted + count(read_file("stderr"), "ERROR: record ") + deleted,
            "processed = converted + rejected + deleted, every whole record processed");
    return 0;
}

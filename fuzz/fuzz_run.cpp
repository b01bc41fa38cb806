// A whole conversion of any log and dxcc.txt, run inside this process, under AddressSanitizer
// and UndefinedBehaviorSanitizer: besides never crashing, overrunning or hanging, every run keeps
// what the import file and the summary promise.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "app/run.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace t2c::fuzz;
using t2c::testing::read_file;

// The log's whole records, and those of them marked deleted, by its header.
std::pair<std::int64_t, std::int64_t> records_of(std::string_view log) {
    const auto byte = [&](std::size_t at) { return std::size_t{static_cast<std::uint8_t>(log[at])}; };
    const std::size_t length = byte(10) | byte(11) << 8;
    std::int64_t records = 0, deleted = 0;
    for (std::size_t at = byte(8) | byte(9) << 8; length != 0 && at < log.size() && log.size() - at >= length; at += length, ++records) {
        deleted += log[at] == '*' ? 1 : 0;
    }
    return {records, deleted};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view log = write_input(data, size).log;
    const int code = run(t2c::run_converter, {"tarnwick2corvane", "LOG.DBF", "OUT.ASC"});
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
    const std::int64_t converted = count(output, "\r\n");
    require(read_file("stdout").ends_with("Processed records:\t" + std::to_string(records) + "\nConverted records:\t" +
                                          std::to_string(converted) + "\n") &&
                records == converted + count(read_file("stderr"), "ERROR: record ") + deleted,
            "processed = converted + rejected + deleted, every whole record processed");
    return 0;
}

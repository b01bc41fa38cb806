// A whole run of the ADIF writer on any log and dxcc.txt, inside this process in a folder of the
// target's own, under AddressSanitizer and UndefinedBehaviorSanitizer: besides never crashing,
// overrunning or hanging, every file it writes is ASCII, every field's declared length is that
// of its data, every contact a line that ends <EOR>, and the counts add up. The input is that of
// fuzz_run: a two-byte little-endian length, that many bytes of dxcc.txt, then the log.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "adif/adif_run.h"
#include "run/files.h"
#include "support/temp_dir.h"

namespace {

const t2c::testing::TempDir work_dir;  // removed at exit

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "the ADIF writer breaks a promise: %s\n", what);
    std::abort();
}

// Reads the fields of one line, <NAME:LENGTH>DATA and a blank each, up to <EOR>; false when the
// line is not so made.
bool whole_record(std::string_view line) {
    while (line.starts_with('<')) {
        const std::size_t colon = line.find(':'), close = line.find('>');
        if (line.starts_with("<EOR>")) return line.size() == 5;
        if (colon == std::string_view::npos || close == std::string_view::npos || colon > close) return false;
        std::size_t length = 0;
        for (const char c : line.substr(colon + 1, close - colon - 1)) {
            if (c < '0' || c > '9') return false;
            length = length * 10 + static_cast<std::size_t>(c - '0');
        }
        // The data runs exactly to a blank before the next field.
        if (line.size() < close + 2 + length || line[close + 1 + length] != ' ') return false;
        line.remove_prefix(close + 2 + length);
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t length = size < 2 ? 0 : std::min(static_cast<std::size_t>(data[0] | data[1] << 8), size - 2);
    std::filesystem::current_path(work_dir.path());
    t2c::testing::write_file("LOG.DBF", input.substr(size < 2 ? 0 : 2 + length));
    t2c::testing::write_file("dxcc.txt", input.substr(size < 2 ? 0 : 2, length));
    std::filesystem::remove("OUT.ADI");
    int code = 0;
    {
        const t2c::UniqueFile out = t2c::open_file("stdout", "wb");
        const t2c::UniqueFile err = t2c::open_file("stderr", "wb");
        const char* argv[] = {"tarnwick2adif", "--utc-offset", "-5.5", "LOG.DBF", "OUT.ADI", nullptr};
        code = t2c::adif::run_adif(5, argv, out.get(), err.get());
    }
    if (code != 0) return 0;
    const std::string output = t2c::testing::read_file("OUT.ADI");
    require(std::all_of(output.begin(), output.end(), [](char c) { return (c >= ' ' && c <= '~') || c == '\r' || c == '\n'; }),
            "printable ASCII only");
    const std::size_t header_end = output.find("<EOH>\r\n");
    require(header_end != std::string::npos, "a header ended by <EOH>");
    std::int64_t records = 0;
    for (std::string_view lines = std::string_view(output).substr(header_end + 7); !lines.empty(); ++records) {
        const std::size_t end = lines.find("\r\n");
        require(end != std::string_view::npos && whole_record(lines.substr(0, end)),
                "every contact a line of fields of their declared lengths, ending <EOR>");
        lines.remove_prefix(end + 2);
    }
    const std::string summary = t2c::testing::read_file("stdout");
    const std::size_t processed_at = summary.find("Processed records:\t");
    require(processed_at != std::string::npos && summary.find("\nConverted records:\t" + std::to_string(records) + "\n") !=
                                                     std::string::npos,
            "the summary counts the contacts written");
    const std::string errors = t2c::testing::read_file("stderr");
    const std::string_view rejected = "ERROR: record ";
    std::int64_t reports = 0;
    for (std::size_t at = errors.find(rejected); at != std::string_view::npos; at = errors.find(rejected, at + 1)) ++reports;
    require(std::atoll(summary.c_str() + processed_at + 19) >= records + reports, "processed >= converted + rejected");
    return 0;
}

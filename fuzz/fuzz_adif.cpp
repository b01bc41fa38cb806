// A whole run of the ADIF writer on any log and dxcc.txt, inside this process, under
// AddressSanitizer and UndefinedBehaviorSanitizer: besides never crashing, overrunning or
// hanging, every file it writes is ASCII, every field's declared length is that of its data,
// every contact a line that ends <EOR>, and the counts add up.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "adif/adif_run.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace t2c::fuzz;

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
    write_input(data, size);
    const int code = run(t2c::adif::run_adif, {"tarnwick2adif", "--utc-offset", "-5.5", "LOG.DBF", "OUT.ADI"});
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
    const std::int64_t reports = count(errors, "ERROR: record ");
    require(std::atoll(summary.c_str() + processed_at + 19) >= records + reports, "processed >= converted + rejected");
    return 0;
}

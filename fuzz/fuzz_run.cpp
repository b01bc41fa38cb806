// A whole run on any log and dxcc.txt, in a folder of the target's own, held byte for byte to
// the model. The input is a two-byte little-endian length, that many bytes of dxcc.txt (fewer
// when the input ends first), then the log; its first byte also picks one to four workers.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "support/model.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

const t2c::testing::TempDir work_dir;  // removed at exit

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "the run differs from the model: %s\n", what);
    std::abort();
}

std::size_t count(std::string_view text, std::string_view what) {
    std::size_t found = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++found;
    return found;
}

// What must hold whatever the model says: seventeen separators and one CR LF a line, and every
// record processed either converted, reported or deleted.
void require_invariants(const t2c::model::Run& run, std::string_view log) {
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
    const unsigned workers = size == 0 ? 1 : 1 + data[0] % 4;

    const t2c::model::Run run = t2c::testing::run_in_process(work_dir.path(), dxcc, log, workers);
    const t2c::model::Run expected = t2c::model::convert(dxcc, log);
    require(run.exit_code == expected.exit_code, "exit code");
    require(run.out == expected.out, "standard output");
    require(run.err == expected.err, "standard error");
    require(run.output == expected.output, "import file");
    require_invariants(run, log);
    return 0;
}

// A whole run on any log and dxcc.txt, in a folder of the target's own, held byte for byte to
// the model. The input is a two-byte little-endian length, that many bytes of dxcc.txt (fewer
// when the input ends first), then the log; its first byte also picks one to four workers.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "support/model.h"
#include "support/run_in_process.h"

namespace {

std::filesystem::path work_dir;

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "the run differs from the model: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") + std::string("/t2c-fuzz-XXXXXX");
    require(mkdtemp(pattern.data()) != nullptr, "a work folder can be made");
    work_dir = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(work_dir, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t length = size < 2 ? 0 : std::min(static_cast<std::size_t>(data[0] | data[1] << 8), size - 2);
    const std::string_view dxcc = input.substr(size < 2 ? 0 : 2, length);
    const std::string_view log = input.substr(size < 2 ? 0 : 2 + length);
    const unsigned workers = size == 0 ? 1 : 1 + data[0] % 4;

    const t2c::model::Run run = t2c::testing::run_in_process(work_dir, dxcc, log, workers);
    const t2c::model::Run expected = t2c::model::convert(dxcc, log);
    require(run.exit_code == expected.exit_code, "exit code");
    require(run.out == expected.out, "standard output");
    require(run.err == expected.err, "standard error");
    require(run.output == expected.output, "import file");
    return 0;
}

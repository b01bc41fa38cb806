#include "support/run_in_process.h"

#include <stdexcept>

#include "app/run.h"
#include "support/temp_dir.h"

namespace t2c::testing {

namespace {

// In dir for one run only: the caller's paths may be relative.
struct InFolder {
    std::filesystem::path before = std::filesystem::current_path();
    explicit InFolder(const std::filesystem::path& dir) { std::filesystem::current_path(dir); }
    ~InFolder() { std::filesystem::current_path(before); }
};

}  // namespace

model::Run run_in_process(const std::filesystem::path& dir, std::string_view dxcc, std::string_view log,
                          unsigned workers) {
    const InFolder in_folder(dir);
    write_file("LOG.DBF", log);
    write_file("dxcc.txt", dxcc);
    std::filesystem::remove("OUT.ASC");
    model::Run run;
    {
        // Closes what the run left open before anything is read back.
        const UniqueFile out = open_file("stdout", "wb");
        const UniqueFile err = open_file("stderr", "wb");
        if (!out || !err) throw std::runtime_error("cannot capture the run's streams");
        const char* argv[] = {"tarnwick2corvane", "LOG.DBF", "OUT.ASC", nullptr};
        RunState state;
        state.workers = workers;
        run.exit_code = t2c::run(state, 3, argv, out.get(), err.get());
    }
    run.out = read_file("stdout");
    run.err = read_file("stderr");
    if (std::filesystem::exists("OUT.ASC")) run.output = read_file("OUT.ASC");
    return run;
}

}  // namespace t2c::testing

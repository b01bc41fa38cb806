#include "support/run_in_process.h"

#include <cstdio>
#include <stdexcept>

#include "app/run.h"

namespace t2c::testing {

namespace {

void write_whole(const char* path, std::string_view bytes) {
    const UniqueFile file = open_file(path, "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        throw std::runtime_error(std::string("cannot write ") + path);
    }
}

std::string read_whole(std::FILE* file) {
    std::string bytes;
    if (file == nullptr) return bytes;
    std::rewind(file);
    char chunk[1 << 16];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, got);
    return bytes;
}

// In dir for one run only: the caller's paths may be relative.
struct InFolder {
    std::filesystem::path before = std::filesystem::current_path();
    explicit InFolder(const std::filesystem::path& dir) { std::filesystem::current_path(dir); }
    ~InFolder() { std::filesystem::current_path(before); }
};

}  // namespace

model::Run run_in_process(const std::filesystem::path& dir, std::string_view dxcc, std::string_view log,
                          unsigned workers, const char* output) {
    const InFolder in_folder(dir);
    write_whole("LOG.DBF", log);
    write_whole("dxcc.txt", dxcc);
    std::remove("OUT.ASC");
    const UniqueFile out(std::tmpfile());
    const UniqueFile err(std::tmpfile());
    if (!out || !err) throw std::runtime_error("cannot make temporary files");

    const char* argv[] = {"tarnwick2corvane", "LOG.DBF", output, nullptr};
    model::Run run;
    {
        RunState state;  // closes what the run left open before the output is read
        state.workers = workers;
        run.exit_code = t2c::run(state, 3, argv, out.get(), err.get());
    }
    std::fflush(out.get());
    std::fflush(err.get());
    run.out = read_whole(out.get());
    run.err = read_whole(err.get());
    if (std::string_view(output) == "OUT.ASC") run.output = read_whole(open_file("OUT.ASC", "rb").get());
    return run;
}

}  // namespace t2c::testing

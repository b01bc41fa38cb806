// Entry point of the page: runs one program of the package, named by its first argument, on files
// of the in-memory file system; what the program prints goes to two files that the page reads.
#include <cstdio>
#include <string_view>

#include "adif/adif_run.h"
#include "app/run.h"
#include "check/check.h"
#include "run/fatal.h"
#include "run/files.h"

namespace {

struct Program {
    std::string_view name;
    int (*run)(int argc, const char* const* argv, std::FILE* out, std::FILE* err);
};

constexpr Program PROGRAMS[] = {{"tarnwick2corvane", t2c::run_converter},
                                {"tarnwick2corvane-check", t2c::run_check},
                                {"tarnwick2adif", t2c::adif::run_adif}};

// Files, not the console, so that the page gets the bytes as written, line ends and all.
constexpr const char* OUT_PATH = "/run/out";
constexpr const char* ERR_PATH = "/run/err";

}  // namespace

// argv[1] names the program; from there on argv is that program's command line, as its main gets it.
int main(int argc, char** argv) {
    for (const Program& program : PROGRAMS) {
        if (argc < 2 || program.name != argv[1]) continue;
        t2c::UniqueFile out(std::fopen(OUT_PATH, "wb")), err(std::fopen(ERR_PATH, "wb"));
        if (!out || !err) return t2c::EXIT_OUTPUT;
        const int code = program.run(argc - 1, argv + 1, out.get(), err.get());
        // Both are closed whatever the first close gives; a report cut short must not pass for whole.
        const bool out_closed = std::fclose(out.release()) == 0;
        const bool err_closed = std::fclose(err.release()) == 0;
        return out_closed && err_closed ? code : t2c::EXIT_OUTPUT;
    }
    return t2c::EXIT_USAGE;
}

// Runs the converter, the check program or the ADIF writer as a user would, in a folder of the
// test's, and keeps all it gave.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace t2c::testing {

struct ProgramResult {
    int exit_code = -1;
    std::string out, err;
    std::string raw_out;  // stdout as the program wrote it, before any normalising
};

// The converter under test: T2C_PROGRAM from the environment, else the one this build made; the
// check program: T2C_CHECK_PROGRAM, the ADIF writer: T2C_ADIF_PROGRAM, else this build's.
// T2C_RUNNER, when set, is a command put before any of them (such as an emulator).
std::string program_path();
std::string check_program_path();
std::string adif_program_path();

// Whether T2C_RUNNER is set: the program is a Windows build run under an emulator.
bool under_runner();

struct RunOptions {
    std::string program = "";       // none: program_path()
    std::vector<std::string> env = {};  // NAME=VALUE, added to the environment
    bool merge_streams = false;     // stderr into the file of stdout, as "2>&1" does
    long memory_limit_kib = 0;      // the address space the program may take; 0: no limit
    std::string stdout_file = "";   // where stdout goes, such as /dev/full; none: it is captured
};

// Runs the program with the arguments, its current directory set to dir and its standard input
// empty; stdout and stderr are captured whole. Under a runner each CR LF of stdout and stderr
// is given back as LF (see run_program.cpp).
ProgramResult run_program(const std::filesystem::path& dir, const std::vector<std::string>& args,
                          const RunOptions& options = {});

}  // namespace t2c::testing

// One run of the ADIF writer: banner, options, the files, the record loop and the summary.
#pragma once

#include <cstdio>

namespace t2c::adif {

// Runs the program on its arguments (argv[0] the program path) and returns the exit code, as
// the converter's run does: 0 done (also for --help and --version), 1 the log or the country
// list unusable, 2 the output unusable, 3 usage, 5 out of memory.
int run_adif(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace t2c::adif

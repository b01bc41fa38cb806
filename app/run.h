// One conversion run: banner, command line, the three files, the record loop and the summary.
#pragma once

#include <cstdio>

namespace t2c {

// Runs the program on its arguments (argv[0] the program path) and returns the exit code:
// 0 done, 1 the source or the country list unusable, 2 the output or out unusable, 3 usage,
// 5 out of memory. out and err take what the program prints and reports. A failure before the
// conversion starts leaves an existing output file as it was, and creates none.
int run_converter(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace t2c

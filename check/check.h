// A run of the check program: is the log laid out as the converter reads it, and does
// dxcc.txt find every country it spells?
#pragma once

#include <cstdio>

namespace t2c {

// Checks the log named by the one argument (argv[0] the program path) against the Tarnwick
// layout and against dxcc.txt of the current directory, prints what it found to out, and
// returns the exit code: 0 nothing needs attention (also for --help and --version), 4 contacts
// lost or changed, a log cut short or a faulty dxcc.txt line, 6 fields or records the converter
// would read elsewhere (before 4), 1 the log or dxcc.txt unusable, 2 out could not be written,
// 3 usage, 5 out of memory. Failures are reported to
// err; nothing but the usage is printed to out before both files are read to their end.
int run_check(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace t2c

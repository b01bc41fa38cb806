// How a program of the package ends early, and the error conventions of its layers:
// - The libraries below this folder (text, dbf, country, convert) never end a run. What becomes
//   of a record is a returned ConvertResult; a lookup that can miss returns std::optional or a
//   pointer; a read of a file that fails is left where std::ferror, or RecordReader::error,
//   tells it after the reading.
// - This folder and the programs end a run by throwing Fatal: the message, the reason and the
//   exit code. Each program's run function catches it, and memory running out, in one place and
//   reports it through report_failure.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace t2c {

constexpr int EXIT_INPUT = 1;   // the source or the country list unusable
constexpr int EXIT_OUTPUT = 2;  // the output unusable
constexpr int EXIT_USAGE = 3;
constexpr int EXIT_MEMORY = 5;

// What failed, then why.
struct Fatal {
    const char* message;
    const char* reason;
    int code;
};

[[noreturn]] inline void fatal(const char* message, const char* reason, int code) {
    throw Fatal{message, reason, code};
}

// With the system's reason for error, an errno value taken where the call failed.
[[noreturn]] inline void fatal_system(const char* message, int error, int code) {
    fatal(message, std::strerror(error), code);
}

// With the system's reason for the call that just failed.
[[noreturn]] inline void fatal(const char* message, int code) { fatal_system(message, errno, code); }

// Called in a catch (...) block: reports the Fatal or std::bad_alloc being handled on err, at
// once, behind what err holds, and returns its exit code.
int report_failure(std::FILE* err);

// Empties the program's standard output, which holds all it had to tell: lost on a full disk,
// it must not pass for success.
inline void flush_standard_output(std::FILE* out) {
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        fatal_system("write(): standard output", errno != 0 ? errno : EIO, EXIT_OUTPUT);
    }
}

}  // namespace t2c

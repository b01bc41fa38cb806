// How a run ends early: the message, the reason and the exit code, thrown to where the run
// reports it.
#pragma once

#include <cerrno>
#include <cstring>

namespace t2c {

constexpr int EXIT_INPUT = 1;   // the source or the country list unusable
constexpr int EXIT_OUTPUT = 2;  // the output unusable
constexpr int EXIT_USAGE = 3;
constexpr int EXIT_MEMORY = 5;

// Ends the run: what failed, then why.
struct Fatal {
    const char* message;
    const char* reason;
    int code;
};

[[noreturn]] inline void fatal(const char* message, const char* reason, int code) {
    throw Fatal{message, reason, code};
}

// With the reason the system gave for the call that just failed.
[[noreturn]] inline void fatal(const char* message, int code) {
    fatal(message, std::strerror(errno), code);
}

}  // namespace t2c

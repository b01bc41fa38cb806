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
    const char* reason;  // or none: the system's text for error
    int code;
    int error = 0;
};

[[noreturn]] inline void fatal(const char* message, const char* reason, int code) {
    throw Fatal{message, reason, code};
}

// With the system's reason for error. Its text is looked up where the run reports it: the
// system may keep the text of a failure on another thread only as long as that thread lives.
[[noreturn]] inline void fatal_system(const char* message, int error, int code) {
    throw Fatal{message, nullptr, code, error};
}

// With the system's reason for the call that just failed.
[[noreturn]] inline void fatal(const char* message, int code) {
    fatal_system(message, errno, code);
}

inline const char* reason_of(const Fatal& failure) {
    return failure.reason != nullptr ? failure.reason : std::strerror(failure.error);
}

}  // namespace t2c

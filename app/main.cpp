// Entry point: hands the command line to the run and returns its exit code.
#include <cstdio>

#include "app/run.h"

int main(int argc, char** argv) {
    // A log may hold thousands of rejected records; unbuffered, every line of their reports
    // would cost a write of its own. The run empties the buffer before its summary and
    // before a failure's message, so the order on a shared console stays as it was.
    std::setvbuf(stderr, nullptr, _IOFBF, 64 * 1024);
    return t2c::run_converter(argc, argv, stdout, stderr);
}

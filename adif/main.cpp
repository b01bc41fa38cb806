// Entry point of the ADIF writer: hands the command line to the run and returns its exit code.
#include <cstdio>

#include "adif/adif_run.h"

int main(int argc, char** argv) {
    // Reports of many rejected records cost a write each when unbuffered; the run empties the
    // buffer before its summary and before a failure's message.
    std::setvbuf(stderr, nullptr, _IOFBF, 64 * 1024);
    return t2c::adif::run_adif(argc, argv, stdout, stderr);
}

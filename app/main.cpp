// Entry point: hands the command line to the run and returns its exit code.
#include <cstdio>

#include "app/run.h"

int main(int argc, char** argv) {
    t2c::RunState state;
    return t2c::run(state, argc, argv, stdout, stderr);
}

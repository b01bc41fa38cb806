// Entry point of the check program: hands the command line to the check and returns its exit code.
#include <cstdio>

#include "check/check.h"

int main(int argc, char** argv) { return t2c::run_check(argc, argv, stdout, stderr); }

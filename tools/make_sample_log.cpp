// Writes the sample contact log shipped with the converter: make_sample_log OUT.DBF
#include <cstdio>
#include <fstream>

#include "tools/sample_log.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_sample_log OUT.DBF\n", stderr);
        return 2;
    }
    const std::string log = t2c::fixture::sample_log();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(log.data(), static_cast<std::streamsize>(log.size()));
    return out ? 0 : 1;
}

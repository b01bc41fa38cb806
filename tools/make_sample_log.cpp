// Writes the sample contact log shipped with the converter: make_sample_log OUT.DBF
#include <cstdio>
#include <fstream>

#include "tools/dbf_builder.h"

using t2c::fixture::Contact;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_sample_log OUT.DBF\n", stderr);
        return 2;
    }
    const std::string log =
        t2c::fixture::DbfBuilder{}
            .contact({.qsl_sent = "B"})
            .contact({.date = "19990307", .time = "14:30", .band = "40m", .frequency = "7.050",
                      .mode = "CW", .call = "F5ZZZ", .report_sent = "599", .report_received = "579",
                      .name = "PIERRE", .place = "LYON", .qsl_sent = "B", .qsl_received = "D",
                      .country = "FRANCE", .code2 = "EU", .code6 = "JN25"})
            .contact({.deleted = true, .call = "Q9DEL"})
            .contact({.date = "19991307", .call = "Q2BAD"})
            .bytes();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(log.data(), static_cast<std::streamsize>(log.size()));
    return out ? 0 : 1;
}

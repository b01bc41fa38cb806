// What a whole run must give for a log and a dxcc.txt, worked out the plainest way there is:
// whole strings, the C library's "%2d" for every number, a std::map for the country list. The
// converter reads words and hashes names; the tests and the fuzz target hold it to this.
#pragma once

#include <string>
#include <string_view>

namespace t2c::model {

struct Run {
    int exit_code = 0;
    std::string out;     // standard output
    std::string err;     // standard error
    std::string output;  // the import file
};

// A run of "tarnwick2corvane LOG.DBF OUT.ASC" in a folder holding the log and dxcc.txt.
Run convert(std::string_view dxcc, std::string_view log);

}  // namespace t2c::model

// Realistic contact logs and country lists of any size, the same bytes on every run: the logs
// the benchmark converts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/dbf_builder.h"

namespace t2c::bench {

// A fixed-seed generator, so that every run of the benchmark converts the same log.
class Random {
public:
    std::uint32_t next();
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint32_t>(bound)); }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15u;
};

struct Country {
    std::string prefix;
    std::string name;
};

// count distinct country names of one to four words, at most the 40 characters of the log's
// country field, with prefixes of one to four characters.
std::vector<Country> make_countries(Random& random, std::size_t count);

// The bytes of a dxcc.txt that lists the countries, after a comment line, with CR LF line ends.
std::string country_list(const std::vector<Country>& countries);

// The next contact of a log that mixes, per thousand records: 60 deleted, 10 rejected (bad
// month, day, empty time, hour or minute in turn), 10 whose country is not listed; the others
// valid, their countries drawn evenly from the list.
fixture::Contact make_contact(Random& random, const std::vector<Country>& countries);

}  // namespace t2c::bench

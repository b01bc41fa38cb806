// The log's country spellings that dxcc.txt does not find, and the entries they may mean.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/import_record.h"
#include "country/country_table.h"

namespace t2c {

// What the records of a log have given so far, fed one record after another.
struct CountryTally {
    struct Count {
        std::int64_t contacts;
        std::int64_t first_record;
    };
    std::int64_t records = 0;   // every whole record, deleted ones included
    std::int64_t contacts = 0;  // the records the converter converts
    std::unordered_map<std::string, Count> unknown;  // by the spelling the lookup missed
    int seconds_counter = 0;
    ImportRecord import_record{};
};

struct UnknownCountry {
    std::string spelling;  // the country as the converter looks it up
    std::int64_t contacts;
    std::int64_t first_record;  // counted from 1, deleted records included
    std::size_t matching_names;  // the names of dxcc.txt the spelling may mean
    std::optional<std::string> suggested_prefix;  // the prefix of the one name it may mean
};

// Takes the next record of the log, of any length: a record the converter
// converts counts as a contact, and as one of an unknown country when the lookup of its
// country misses. Deleted and rejected records are not converted, so their countries do not
// matter.
void tally_record(CountryTally& tally, const CountryTable& countries, std::string_view record);

// The spellings missed, most contacts first, then by their first record, each with the names of
// the table it may mean; none for a spelling that holds a control byte. A name matches when the
// two are the same with ASCII letters taken in either case and dots and blanks left out, or
// word for word, the words being what stands between blanks, dots and '&' (an '&' is a word of
// its own), taken in either case, where I, IS, ISLAND and ISLANDS are one word, as are ST and
// SAINT, & and AND, REP and REPUBLIC, N and NORTH, S and SOUTH, E and EAST, W and WEST, MT and
// MOUNT. Only a spelling that exactly one name matches gets that name's prefix suggested.
std::vector<UnknownCountry> unknown_countries(const CountryTally& tally, const CountryTable& countries);

}  // namespace t2c

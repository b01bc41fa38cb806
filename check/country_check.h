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

// The line the check may propose for a spelling dxcc.txt misses.
struct Suggestion {
    std::size_t names = 0;              // the names of dxcc.txt that match the spelling
    std::optional<std::string> prefix;  // theirs, when they all have the same one
};

struct UnknownCountry {
    std::string spelling;  // the country as the converter looks it up
    std::int64_t contacts;
    std::int64_t first_record;  // counted from 1, deleted records included
    Suggestion suggestion;
};

// The names of dxcc.txt under the two keys by which a spelling can match them, each key with
// the places in entries of the names that have it.
struct NameIndex {
    std::vector<CountryEntry> entries;
    std::unordered_map<std::string, std::vector<std::size_t>> by_letters;
    std::unordered_map<std::string, std::vector<std::size_t>> by_words;
};

NameIndex index_names(std::vector<CountryEntry> entries);

// The names a spelling may mean, none for a spelling that holds a control byte. A name matches
// when the two are the same with ASCII letters taken in either case and dots and blanks left
// out, or word for word, the words being what stands between blanks, dots and '&' (an '&' is a
// word of its own), taken in either case, where I, IS, ISLAND and ISLANDS are one word, as are
// ST and SAINT, & and AND, REP and REPUBLIC, N and NORTH, S and SOUTH, E and EAST, W and WEST,
// MT and MOUNT. Names of one prefix make one suggestion however many they are, as the
// lists write most entities in several ways: only different prefixes leave a choice.
Suggestion suggest(const NameIndex& names, std::string_view spelling);

// Takes the next record of the log (at least FIELDS_END bytes): a record the converter
// converts counts as a contact, and as one of an unknown country when the lookup of its
// country misses. Deleted and rejected records are not converted, so their countries do not
// matter.
void tally_record(CountryTally& tally, const CountryTable& countries, std::string_view record);

// The spellings missed, most contacts first, then by their first record, each with what the
// names of the table suggest for it.
std::vector<UnknownCountry> unknown_countries(const CountryTally& tally, const CountryTable& countries);

}  // namespace t2c

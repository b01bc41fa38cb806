// The log's country spellings that dxcc.txt does not find, the entries they may mean, and the
// lines of dxcc.txt that cannot work as meant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "country/country_table.h"
#include "dxcc/dxcc_by_date.h"

namespace t2c {

// The countries of the contacts of a log so far, fed one contact after another.
struct CountryTally {
    struct Count {
        std::int64_t contacts;
        std::int64_t first_record;
    };
    // By the spelling the lookup missed; found by a view, so that no contact costs a copy.
    std::unordered_map<std::string, Count, NameHash, std::equal_to<>> unknown;
    struct Mixed {
        Count count;
        std::string why;  // of the first contact
    };
    // By the spelling that one line of dxcc.txt cannot serve.
    std::unordered_map<std::string, Mixed, NameHash, std::equal_to<>> mixed;
};

struct UnknownCountry {
    std::string spelling;  // the country as the converter looks it up
    std::int64_t contacts;
    std::int64_t first_record;  // counted from 1, deleted records included
    std::size_t matching_names;  // the names of dxcc.txt the spelling may mean
    std::optional<std::string> suggested_prefix;  // the prefix of the one name it may mean
    std::string why = {};  // why no line of dxcc.txt can serve it
};

// Counts a contact the converter converts whose country's spelling the lookup misses, which
// gives it the prefix ??; record_number counted from 1 with deleted records included. Deleted
// and rejected records are not converted, so their countries do not matter.
void tally_unknown(CountryTally& tally, std::int64_t record_number, std::string_view spelling);

// The entities by code and name: 248 Italy; 229 German Democratic Republic or 230 Federal
// Republic of Germany.
std::string entity_names(const std::vector<int>& codes);

// A contact whose callsign and country disagree, for the check's list: its date (YYYY-MM-DD),
// callsign, the country and its entities, and the callsign's.
std::string disagreement(int date, std::string_view call, std::string_view spelling, const EntityChoice& choice);

// Takes a contact the ADIF writer can write, with its entity as choose_entity found it for the
// spelling, the prefix dxcc.txt gives it and the date: the spelling is one no line of dxcc.txt
// can serve when it names several entities on the date, or when its prefix is neither that
// of the entity the contact counts for nor one of the entity's callsigns on the date.
void tally_mixed(CountryTally& tally, std::int64_t record_number, std::string_view spelling,
                 std::optional<std::string_view> prefix, const EntityChoice& choice, int date);

// The spellings that one line of dxcc.txt cannot serve, most contacts first, then by their first
// record, each with why.
std::vector<UnknownCountry> mixed_countries(const CountryTally& tally);

// The spellings missed, most contacts first, then by their first record, each with the names of
// the table it may mean; none for a spelling that holds a control byte. A name matches when the
// two are the same with ASCII letters taken in either case and dots and blanks left out, or
// word for word, the words being what stands between blanks, dots and '&' (an '&' is a word of
// its own), taken in either case, where I, IS, ISLAND and ISLANDS are one word, as are ST and
// SAINT, & and AND, REP and REPUBLIC, N and NORTH, S and SOUTH, E and EAST, W and WEST, MT and
// MOUNT. Only a spelling that exactly one name matches gets that name's prefix suggested.
std::vector<UnknownCountry> unknown_countries(const CountryTally& tally, const CountryTable& countries);

struct DxccFindings {
    std::vector<std::string> faults;   // lines that are no entry, or whose name no log can match
    std::vector<std::string> repeats;  // names given another prefix by a later line, which wins
};

// Reads the open country file from its start as the converter does, each line or piece of a
// longer line as load_country_table takes it, and describes each finding by its line number
// (a long line's pieces share it) and the line, its control bytes escaped. A read error shows
// in std::ferror(file).
DxccFindings dxcc_findings(std::FILE* file);

}  // namespace t2c

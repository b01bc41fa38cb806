// Every record through the converter's own conversion: what it rejects, and what the import
// line carries otherwise than the log holds it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check/country_check.h"
#include "convert/import_record.h"
#include "country/country_table.h"

namespace t2c {

// How many records of a kind the check shows; the others are only counted, so that a log of
// any size costs no more memory. Rejected records are each shown, so that every contact lost
// can be found in the logbook, up to as many as a log that is a log at all can have.
constexpr std::size_t FIRST_FEW = 5;
constexpr std::size_t MOST_REJECTED = 1000;

// The records of one kind: how many, and the first few described.
struct RecordKind {
    std::int64_t count = 0;
    std::vector<std::string> first;
};

// What the check calls each kind of change, in the order of Change.
constexpr std::array<const char*, CHANGE_KINDS> CARRIED_KINDS = {
    "start time not written HH:MM", "date written oddly (a year not of 4 digits, a day not of 2 or not in its month)",
    "text cut at a blank, or emptied by a leading one", "no callsign", "name or place emptied by leading blanks",
    "place cut at two blanks in a row", "band not a number of metres once cut at 'm'", "empty prefix"};

struct RecordTally {
    std::int64_t records = 0;  // every whole record, deleted ones included
    std::int64_t contacts = 0;  // the records the converter converts
    std::int64_t deleted = 0;
    std::int64_t unknown_country = 0;  // contacts that get the prefix ??
    RecordKind rejected;  // the first few each with its reason, date, time and callsign
    RecordKind disagreeing;  // contacts whose callsign and country name other entities, the first few described
    std::array<RecordKind, CARRIED_KINDS.size()> carried;
    CountryTally countries;
    int seconds_counter = 0;
    ImportRecord import_record{};
    EntityChoice entity{};
    std::string shown_date;  // the date as the import line writes it, built only for a contact shown
};

// Takes the next record of the log, of any length, through the converter's conversion.
void tally_record(RecordTally& tally, const CountryTable& countries, std::string_view record);

}  // namespace t2c

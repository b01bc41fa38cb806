// The DXCC entity a contact counts for, by its country's spelling, its callsign and its date.
#pragma once

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "dxcc/tables.h"

namespace t2c {

// The rows of a table sorted by key_of whose key is key: std::ranges::equal_range, which the
// page's compiler (emscripten's libc++ 13) lacks.
template <typename Rows, typename Key, typename KeyOf>
auto rows_with(const Rows& rows, const Key& key, KeyOf key_of) {
    using Row = std::remove_cvref_t<decltype(*std::begin(rows))>;
    struct Less {
        KeyOf key_of;
        bool operator()(const Row& row, const Key& k) const { return std::invoke(key_of, row) < k; }
        bool operator()(const Key& k, const Row& row) const { return k < std::invoke(key_of, row); }
    };
    const auto [first, last] = std::equal_range(std::begin(rows), std::end(rows), key, Less{key_of});
    return std::span<const Row>(std::data(rows) + (first - std::begin(rows)), static_cast<std::size_t>(last - first));
}

// Whether a row's period, from..to, holds the date (YYYYMMDD).
template <typename Row>
bool holds(const Row& row, int date) { return row.from <= date && date <= row.to; }

// A real calendar day from 1930 on, where ADIF's dates begin, written YYYYMMDD.
std::optional<int> calendar_date(std::string_view date);

// The first row of an entity of ENTITIES.
const Entity& entity_of(int code);

// The candidates are the entities the DXCC name lists spell so, or, for a spelling they lack,
// the entities of the prefix dxcc.txt gives it (list_prefix). Gives the candidate whose period
// holds the date (YYYYMMDD); failing that, the entity of a candidate's prefix that holds the
// date and whose period begins the day after the candidate's ends or ends the day before it
// begins (a successor or forerunner, such as the two Germanies); otherwise none.
const Entity* dxcc_by_date(std::string_view spelling, std::optional<std::string_view> list_prefix, int date);

// What a contact's country and callsign say of its entity; the strings are reused from contact
// to contact, so that none costs an allocation.
struct EntityChoice {
    std::string upper;        // the spelling in upper case
    std::vector<int> named;   // the entities the spelling names on the date
    std::vector<int> called;  // the entities the callsign allows on the date
    const Entity* entity = nullptr;  // the one the contact counts for; none leaves it to the logger
    bool by_call = false;     // the callsign alone gave it: the spelling names none
    bool disagree = false;    // the spelling and the callsign name entities, none of them the same
};

// The spelling names dxcc_by_date's entity and those its old names give on the date, in upper
// case either way. The callsign, in upper case, allows those of its longest starts that hold on
// the date and whose call-area digit and suffix rule hold: of CALL/PREFIX the shorter part
// when it is a start, a lone digit after '/' taken for the call-area digit, /P /M /QRP /QRPP
// /B /R /LH set aside, /MM and /AM allowing no entity at all. The contact counts for the one
// entity both name; for the one the callsign allows when the spelling names none; for the one
// the spelling names when the callsign allows none, or only others; else for none.
void choose_entity(EntityChoice& choice, std::string_view spelling, std::optional<std::string_view> list_prefix,
                   std::string_view call, int date);

}  // namespace t2c

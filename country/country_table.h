// The country prefix table: country names, as the logs spell them, mapped to their prefixes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "country/text_lines.h"

namespace t2c {

constexpr std::size_t COUNTRY_NAME_WIDTH = 50;

struct CountryEntry {
    std::string prefix;  // kept whole, however long
    std::string name;    // at most COUNTRY_NAME_WIDTH characters
};

// Open addressing over a power-of-two number of slots, probed one after the other, with every
// name and prefix kept in one arena: a lookup is a hash over the name's bytes, a shift and
// mostly one slot, whatever the list's length, and a table of 100,000 names is released at
// once rather than name by name.
struct CountryTable {
    struct Slot {
        std::uint64_t hash;  // of the name; 0 marks an empty slot
        std::size_t name_at;
        std::size_t name_length;
        std::size_t prefix_at;
        std::size_t prefix_length;
    };
    std::vector<Slot> slots;  // none, or a power of two of them, at most three quarters in use
    std::vector<char> arena;  // the names and prefixes the slots point into
    std::size_t names = 0;
    std::size_t entry_lines = 0;  // entry lines read, repeated names included
};

// Splits one entry line (a terminated text, LF included when present) at its first TAB. A line
// without a TAB gives an entry whose prefix and name are both empty.
CountryEntry parse_entry_line(const char* line);

// Reads the country file's lines to their end: comment lines ('#' first) and empty lines are
// skipped, every other line is an entry. Throws std::bad_alloc when memory runs out; a read
// error shows in lines.failed(). size_hint, the file's size when known, only sizes the table
// ahead, so that a long list is not rehashed again and again as it grows.
CountryTable load_country_table(TextLines& lines, std::uintmax_t size_hint = 0);

// Gives name its prefix: a name added again takes the later prefix, as a later line of the file
// replaces an earlier one.
void add_country(CountryTable& table, std::string_view name, std::string_view prefix);

// Every name with its prefix, in no particular order.
std::vector<CountryEntry> country_entries(const CountryTable& table);

// Exact, byte-by-byte comparison of the whole name: case matters, nothing is trimmed.
std::optional<std::string_view> find_country(const CountryTable& table, std::string_view name);

}  // namespace t2c

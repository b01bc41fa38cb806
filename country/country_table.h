// The country prefix table: country names, as the logs spell them, mapped to their prefixes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace t2c {

constexpr std::size_t COUNTRY_NAME_WIDTH = 50;

struct CountryEntry {
    std::string prefix;  // kept whole, however long
    std::string name;    // at most COUNTRY_NAME_WIDTH characters
};

// Hashes names given as views too, so that a record's country is looked up without a copy.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

// Each name with the prefix of its last line in the file.
using CountryTable = std::unordered_map<std::string, std::string, NameHash, std::equal_to<>>;

// Splits one entry line (LF included when present) at its first TAB: the prefix before it, and
// after it at most COUNTRY_NAME_WIDTH characters of name, up to the LF. A zero byte ends the
// line. A line without a TAB gives an entry whose prefix and name are both empty.
CountryEntry parse_entry_line(std::string_view line);

// Reads the next line of the country file, or the next piece of a longer line, the LF
// included, as load_country_table does; false at the end.
bool read_country_line(std::FILE* file, std::string& line);

// Reads the country file to its end as a text-mode read does (CR LF is one LF, a lone CR an
// ordinary character, a Ctrl-Z the end of the file), in lines of at most 249 characters, a
// longer line in pieces. Comment lines ('#' first) and empty lines are skipped; every other
// line is an entry, a later line of a name replacing an earlier one. Throws std::bad_alloc when
// memory runs out; a read error shows in std::ferror(file).
CountryTable load_country_table(std::FILE* file);

// Exact, byte-by-byte comparison of the whole name: case matters, nothing is trimmed.
std::optional<std::string_view> find_country(const CountryTable& table, std::string_view name);

}  // namespace t2c

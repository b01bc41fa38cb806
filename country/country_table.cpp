#include "country/country_table.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace t2c {

CountryEntry parse_entry_line(const char* line) {
    const char* tab = std::strchr(line, '\t');
    if (tab == nullptr) return {};
    // The line is a C string: a zero byte ends it, wherever it stands.
    // copy_field of at most COUNTRY_NAME_WIDTH characters and cut_at('\n'), measured in place.
    const char* name = tab + 1;
    std::size_t length = 0;
    while (length < COUNTRY_NAME_WIDTH && name[length] != '\0' && name[length] != '\n') ++length;
    return {std::string(line, tab), std::string(name, length)};
}

CountryTable load_country_table(TextLines& lines, std::uintmax_t size_hint) {
    // An entry line takes some twenty bytes (prefix, TAB, name, line end); a guess too high or
    // too low costs little. The reservation stays bounded: a huge file may be mostly comments.
    constexpr std::uintmax_t BYTES_PER_LINE = 20;
    constexpr std::uintmax_t MOST_RESERVED = std::uintmax_t{1} << 20;
    CountryTable table;
    table.prefix_by_name.reserve(static_cast<std::size_t>(std::min(size_hint / BYTES_PER_LINE, MOST_RESERVED)));
    std::array<char, LINE_BUFFER_SIZE> line{};
    while (lines.read_line(line)) {
        if (line[0] != '#' && line[0] != '\n') {
            CountryEntry entry = parse_entry_line(line.data());
            add_country(table, entry.name, entry.prefix);
            ++table.entry_lines;
        }
    }
    return table;
}

void add_country(CountryTable& table, std::string_view name, std::string_view prefix) {
    table.prefix_by_name.insert_or_assign(std::string(name), std::string(prefix));
}

std::vector<CountryEntry> country_entries(const CountryTable& table) {
    std::vector<CountryEntry> entries;
    for (const auto& [name, prefix] : table.prefix_by_name) entries.push_back({prefix, name});
    return entries;
}

std::optional<std::string_view> find_country(const CountryTable& table, std::string_view name) {
    const auto found = table.prefix_by_name.find(name);
    if (found == table.prefix_by_name.end()) return std::nullopt;
    return found->second;
}

}  // namespace t2c

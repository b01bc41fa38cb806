#include "country/country_table.h"

#include <array>
#include <cstring>

#include "text/field.h"

namespace t2c {

CountryEntry parse_entry_line(const char* line) {
    const char* tab = std::strchr(line, '\t');
    if (tab == nullptr) return {};
    // The line is a C string: a zero byte ends it, wherever it stands.
    const std::string_view after_tab(tab + 1);
    char name[COUNTRY_NAME_WIDTH + 1] = {};
    copy_field(name, after_tab.substr(0, COUNTRY_NAME_WIDTH));
    cut_at(name, '\n');
    return {std::string(line, tab), std::string(name)};
}

CountryTable load_country_table(TextLines& lines) {
    CountryTable table;
    std::array<char, LINE_BUFFER_SIZE> line{};
    while (lines.read_line(line)) {
        if (line[0] != '#' && line[0] != '\n') {
            CountryEntry entry = parse_entry_line(line.data());
            table.prefix_by_name.insert_or_assign(std::move(entry.name), std::move(entry.prefix));
            ++table.entry_lines;
        }
    }
    return table;
}

std::optional<std::string_view> find_country(const CountryTable& table, std::string_view name) {
    const auto found = table.prefix_by_name.find(name);
    if (found == table.prefix_by_name.end()) return std::nullopt;
    return found->second;
}

}  // namespace t2c

#include "country/country_table.h"

#include "text/field.h"

namespace t2c {

namespace {

// The country list was written for a system whose text-mode reads deliver lines of at most this
// many characters into their 250-byte buffer.
constexpr std::size_t LINE_MOST = 249;
constexpr int CTRL_Z = 0x1A;

}  // namespace

bool read_country_line(std::FILE* file, std::string& line) {
    line.clear();
    while (line.size() < LINE_MOST) {
        int c = std::getc(file);
        if (c == CTRL_Z) {
            // Put back, so that every later read ends at it too: nothing after it is text.
            std::ungetc(c, file);
            break;
        }
        if (c == EOF) break;
        if (c == '\r') {
            const int next = std::getc(file);
            if (next == '\n') {
                c = '\n';
            } else {
                std::ungetc(next, file);
            }
        }
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !line.empty();
}

CountryEntry parse_entry_line(std::string_view line) {
    line = cut_at(line, '\0');
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return {};
    return {std::string(line.substr(0, tab)), std::string(cut_at(line.substr(tab + 1, COUNTRY_NAME_WIDTH), '\n'))};
}

CountryTable load_country_table(std::FILE* file) {
    CountryTable table;
    std::string line;
    while (read_country_line(file, line)) {
        if (line[0] == '#' || line[0] == '\n') continue;
        CountryEntry entry = parse_entry_line(line);
        table.insert_or_assign(std::move(entry.name), std::move(entry.prefix));
    }
    return table;
}

std::optional<std::string_view> find_country(const CountryTable& table, std::string_view name) {
    const auto found = table.find(name);
    if (found == table.end()) return std::nullopt;
    return found->second;
}

}  // namespace t2c

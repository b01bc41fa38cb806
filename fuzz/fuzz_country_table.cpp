// Arbitrary dxcc.txt bytes through the country table loader, compared with a plain model of the
// text-mode reading: CR LF is LF, Ctrl-Z ends the file, lines come in pieces of at most 249
// characters, a zero byte ends a line's text, comments and empty lines are skipped, the prefix
// stands before the first TAB, the name after it (at most 50 characters), the last line wins.
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "country/country_table.h"
#include "fuzz/fuzz_support.h"

namespace {

using t2c::fuzz::require;

constexpr std::size_t PIECE = 249;
constexpr std::size_t NAME_WIDTH = 50;

std::vector<std::string> model_lines(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\x1A'; ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text.push_back(bytes[i]);
    }
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        line.push_back(c);
        if (c == '\n' || line.size() == PIECE) {
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> expected;
    std::size_t entry_lines = 0;
    for (const std::string& piece : model_lines(bytes)) {
        const std::string line = piece.substr(0, piece.find('\0'));
        if (!line.empty() && (line[0] == '#' || line[0] == '\n')) continue;
        ++entry_lines;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            expected[""] = "";
            continue;
        }
        std::string name = line.substr(tab + 1, NAME_WIDTH);
        expected[name.substr(0, name.find('\n'))] = line.substr(0, tab);
    }

    std::FILE* file = t2c::fuzz::memory_file(bytes);
    t2c::TextLines lines(file);
    const t2c::CountryTable table = t2c::load_country_table(lines);
    require(!lines.failed(), "an in-memory file never fails to read");
    std::fclose(file);

    require(table.entry_lines == entry_lines, "every entry line is counted");
    require(table.names == expected.size(), "one entry per distinct name");
    for (const auto& [name, prefix] : expected) {
        const auto found = t2c::find_country(table, name);
        require(found.has_value() && *found == prefix, "each name finds the prefix of its last line");
    }
    return 0;
}

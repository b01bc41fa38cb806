#include "country/country_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/files.h"
#include "dbf/record_layout.h"
#include "support/temp_dir.h"

namespace t2c {
namespace {

CountryTable load(const std::string& dxcc_bytes) {
    testing::TempDir dir;
    testing::write_file(dir / "dxcc.txt", dxcc_bytes);
    UniqueFile file = open_file((dir / "dxcc.txt").c_str(), "rb");
    TextLines lines(file.get());
    CountryTable table = load_country_table(lines);
    EXPECT_FALSE(lines.failed());
    return table;
}

std::string prefix_of(const CountryTable& table, std::string_view name) {
    const auto prefix = find_country(table, name);
    return prefix ? std::string(*prefix) : "<none>";
}

TEST(CountryTable, FindsExactNamesOnly) {
    const CountryTable table = load("# prefixes\nI\tITALY\nDL\tFED. REP. OF GERMANY\n");
    EXPECT_EQ(table.entry_lines, 2u);
    EXPECT_EQ(prefix_of(table, "ITALY"), "I");
    EXPECT_EQ(prefix_of(table, "FED. REP. OF GERMANY"), "DL");
    EXPECT_EQ(prefix_of(table, "Italy"), "<none>");
    EXPECT_EQ(prefix_of(table, "ITALY "), "<none>");
    EXPECT_EQ(prefix_of(table, ""), "<none>");
}

TEST(CountryTable, LastLineWithTheSameNameWins) {
    const CountryTable table = load("I\tITALY\nIT9\tITALY\n");
    EXPECT_EQ(prefix_of(table, "ITALY"), "IT9");
    EXPECT_EQ(table.entry_lines, 2u);
}

TEST(CountryTable, SkipsCommentsAndEmptyLinesOnly) {
    const CountryTable table = load("#I\tITALY\n\n  #X\tHASH\n\tNO PREFIX\nJA\tJAPAN");
    EXPECT_EQ(prefix_of(table, "ITALY"), "<none>");
    EXPECT_EQ(prefix_of(table, "HASH"), "  #X");
    EXPECT_EQ(prefix_of(table, "NO PREFIX"), "");
    EXPECT_EQ(prefix_of(table, "JAPAN"), "JA");  // a last line without its line end
    EXPECT_EQ(table.entry_lines, 3u);
}

TEST(CountryTable, ALineWithoutTabMatchesTheEmptyName) {
    const CountryTable table = load("   \nI\tITALY\n");
    EXPECT_EQ(prefix_of(table, ""), "");
    EXPECT_EQ(table.entry_lines, 2u);
}

TEST(CountryTable, KeepsBlanksTabsAndLongPrefixes) {
    const CountryTable table = load(" I \t ITALY \tX\nVERYLONGPREFIX\tLONG\n");
    EXPECT_EQ(prefix_of(table, " ITALY \tX"), " I ");
    EXPECT_EQ(prefix_of(table, "LONG"), "VERYLONGPREFIX");
}

TEST(CountryTable, CutsNamesAtFiftyCharacters) {
    const std::string name(60, 'N');
    const CountryTable table = load("P\t" + name + "\n");
    EXPECT_EQ(prefix_of(table, name.substr(0, 50)), "P");
}

// The shipped country list, held against the list of entities it is made from.
const std::string SOURCE_DIR = T2C_SOURCE_DIR;

struct Entity {
    std::string prefix;
    std::string name;  // in upper case, as the logs write it
};

// The rows of data/dxcc-entities.tsv after its comments and header: prefix, name, continent.
std::vector<Entity> listed_entities() {
    std::ifstream in(SOURCE_DIR + "/data/dxcc-entities.tsv");
    if (!in) throw std::runtime_error("cannot read data/dxcc-entities.tsv");
    std::vector<Entity> entities;
    bool header = true;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (header) {
            header = false;
            continue;
        }
        const std::size_t tab = line.find('\t');
        const std::size_t next_tab = line.find('\t', tab + 1);
        std::string name = line.substr(tab + 1, next_tab - tab - 1);
        for (char& c : name) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        entities.push_back({line.substr(0, tab), name});
    }
    return entities;
}

// The dxcc.txt that ships with the converter, loaded as the converter loads it.
CountryTable shipped_table() { return load(testing::read_file(SOURCE_DIR + "/dxcc.txt")); }

TEST(ShippedCountryList, HasOneLinePerListedEntityWithItsPrefix) {
    const CountryTable table = shipped_table();
    const std::vector<Entity> entities = listed_entities();
    ASSERT_GT(entities.size(), 300u);
    EXPECT_EQ(table.entry_lines, entities.size());
    EXPECT_EQ(country_entries(table).size(), entities.size()) << "a name is listed twice";
    for (const Entity& entity : entities) EXPECT_EQ(prefix_of(table, entity.name), entity.prefix);
}

TEST(ShippedCountryList, FindsCountriesAsLogsSpellThem) {
    const CountryTable table = shipped_table();
    EXPECT_EQ(prefix_of(table, "ITALY"), "I");
    EXPECT_EQ(prefix_of(table, "FED. REP. OF GERMANY"), "DL");
    EXPECT_EQ(prefix_of(table, "UNITED STATES OF AMERICA"), "K");
    EXPECT_EQ(prefix_of(table, "SOV MIL ORDER OF MALTA"), "1A");
    EXPECT_EQ(prefix_of(table, "CONWAY REEF"), "3D2/c");
    EXPECT_EQ(prefix_of(table, "Italy"), "<none>");
    EXPECT_EQ(prefix_of(table, "USA"), "<none>");
}

// A name with blanks at its end or two in a row, or longer than the log's country field, is
// loaded without a word but can never match a contact.
TEST(ShippedCountryList, HoldsOnlyNamesALogCanMatch) {
    for (const auto& [prefix, name] : country_entries(shipped_table())) {
        if (name.empty()) {
            ADD_FAILURE() << "an empty name, with the prefix " << prefix;
            continue;
        }
        EXPECT_LE(name.size(), COUNTRY.width) << name;
        EXPECT_EQ(name.find("  "), std::string::npos) << name;
        EXPECT_NE(name.front(), ' ') << name;
        EXPECT_NE(name.back(), ' ') << name;
        for (const char c : name) EXPECT_FALSE(c >= 'a' && c <= 'z') << name;
    }
}

TEST(CountryTable, FindsEveryNameOfALongListAndTheLastLineOfEach) {
    std::string list;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 10'000; ++i) {
            list.append(round == 0 ? "OLD" : "P").append(std::to_string(i)).append("\tLAND ");
            list.append(std::to_string(i * 7919 % 10'000)).append("\n");
        }
    }
    const CountryTable table = load(list);
    EXPECT_EQ(table.entry_lines, 20'000u);
    EXPECT_EQ(country_entries(table).size(), 10'000u);
    for (int i = 0; i < 10'000; ++i) {
        const std::string name = std::string("LAND ").append(std::to_string(i * 7919 % 10'000));
        ASSERT_EQ(prefix_of(table, name), std::string("P").append(std::to_string(i)));
    }
    EXPECT_EQ(prefix_of(table, "LAND 10000"), "<none>");
}

}  // namespace
}  // namespace t2c

#include "check/country_check.h"

#include <algorithm>
#include <array>
#include <utility>

#include "check/shown_bytes.h"
#include "convert/convert_record.h"

namespace t2c {

namespace {

char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The name with a-z made A-Z, by their ASCII codes alone, and every '.' and ' ' left out.
std::string letters_key(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (c != '.' && c != ' ') key.push_back(ascii_upper(c));
    }
    return key;
}

// The abbreviations the DXCC lists and the logs use, each with the word that stands for all of
// its forms.
constexpr std::array<std::pair<std::string_view, std::string_view>, 11> SAME_WORDS = {{
    {"I", "ISLAND"}, {"IS", "ISLAND"}, {"ISLANDS", "ISLAND"}, {"ST", "SAINT"}, {"&", "AND"}, {"REP", "REPUBLIC"},
    {"N", "NORTH"}, {"S", "SOUTH"}, {"E", "EAST"}, {"W", "WEST"}, {"MT", "MOUNT"},
}};

// Adds the word in upper case to the key, an abbreviation written out, a blank before it.
void add_word(std::string& key, std::string_view word) {
    if (word.empty()) return;
    std::string upper;
    for (const char c : word) upper.push_back(ascii_upper(c));
    const auto same = [&](const auto& words) { return words.first == upper; };
    const auto at = std::find_if(SAME_WORDS.begin(), SAME_WORDS.end(), same);
    if (!key.empty()) key.push_back(' ');
    key.append(at == SAME_WORDS.end() ? std::string_view(upper) : at->second);
}

// The name's words, those that stand between blanks, dots and '&'s, and each '&' a word too.
std::string words_key(std::string_view name) {
    std::string key;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != ' ' && name[i] != '.' && name[i] != '&') continue;
        add_word(key, name.substr(start, i - start));
        if (i < name.size() && name[i] == '&') add_word(key, "&");
        start = i + 1;
    }
    return key;
}

}  // namespace

void tally_record(CountryTally& tally, const CountryTable& countries, std::string_view record) {
    const std::int64_t number = ++tally.records;
    const ConvertResult result = convert_record(record, countries, tally.seconds_counter, tally.import_record);
    if (result.verdict != Verdict::accepted) return;
    ++tally.contacts;
    const std::string_view spelling = country_key(record);
    if (find_country(countries, spelling)) return;
    const auto [at, added] = tally.unknown.try_emplace(std::string(spelling), CountryTally::Count{0, number});
    ++at->second.contacts;
}

std::vector<UnknownCountry> unknown_countries(const CountryTally& tally, const CountryTable& countries) {
    struct Keys {
        std::string letters, words;
        const std::string& prefix;
    };
    std::vector<Keys> names;
    for (const auto& [name, prefix] : countries) names.push_back({letters_key(name), words_key(name), prefix});
    std::vector<UnknownCountry> unknown;
    unknown.reserve(tally.unknown.size());
    for (const auto& [spelling, count] : tally.unknown) {
        UnknownCountry country{spelling, count.contacts, count.first_record, 0, std::nullopt};
        if (std::none_of(spelling.begin(), spelling.end(), is_control_byte)) {
            const std::string letters = letters_key(spelling);
            const std::string words = words_key(spelling);
            for (const Keys& name : names) {
                if (name.letters != letters && name.words != words) continue;
                ++country.matching_names;
                country.suggested_prefix = name.prefix;
            }
            if (country.matching_names != 1) country.suggested_prefix.reset();
        }
        unknown.push_back(std::move(country));
    }
    // No two spellings share a first record, so the order is the same on every run.
    std::sort(unknown.begin(), unknown.end(), [](const UnknownCountry& a, const UnknownCountry& b) {
        return a.contacts != b.contacts ? a.contacts > b.contacts : a.first_record < b.first_record;
    });
    return unknown;
}

}  // namespace t2c

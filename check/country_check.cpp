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

NameIndex index_names(std::vector<CountryEntry> entries) {
    NameIndex index{std::move(entries), {}, {}};
    for (std::size_t i = 0; i < index.entries.size(); ++i) {
        index.by_letters[letters_key(index.entries[i].name)].push_back(i);
        index.by_words[words_key(index.entries[i].name)].push_back(i);
    }
    return index;
}

Suggestion suggest(const NameIndex& names, std::string_view spelling) {
    if (std::any_of(spelling.begin(), spelling.end(), is_control_byte)) return {};
    std::vector<std::size_t> matches;
    const auto add_matches = [&](const auto& by_key, const std::string& key) {
        if (const auto at = by_key.find(key); at != by_key.end()) {
            matches.insert(matches.end(), at->second.begin(), at->second.end());
        }
    };
    add_matches(names.by_letters, letters_key(spelling));
    add_matches(names.by_words, words_key(spelling));
    // A name that matches both ways is still one name.
    std::sort(matches.begin(), matches.end());
    matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
    Suggestion suggestion{matches.size(), std::nullopt};
    const auto other_prefix = [&](std::size_t i) { return names.entries[i].prefix != names.entries[matches[0]].prefix; };
    if (!matches.empty() && std::none_of(matches.begin(), matches.end(), other_prefix)) {
        suggestion.prefix = names.entries[matches[0]].prefix;
    }
    return suggestion;
}

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
    const NameIndex names = index_names(country_entries(countries));
    std::vector<UnknownCountry> unknown;
    unknown.reserve(tally.unknown.size());
    for (const auto& [spelling, count] : tally.unknown) {
        unknown.push_back({spelling, count.contacts, count.first_record, suggest(names, spelling)});
    }
    // No two spellings share a first record, so the order is the same on every run.
    std::sort(unknown.begin(), unknown.end(), [](const UnknownCountry& a, const UnknownCountry& b) {
        return a.contacts != b.contacts ? a.contacts > b.contacts : a.first_record < b.first_record;
    });
    return unknown;
}

}  // namespace t2c

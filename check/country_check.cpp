#include "check/country_check.h"

#include <algorithm>
#include <array>
#include <utility>

#include "check/shown_bytes.h"
#include "convert/convert_record.h"
#include "dbf/record_layout.h"
#include "text/field.h"

namespace t2c {

namespace {

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
    const std::string upper = upper_case(word);
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

// What makes an entry unusable, or its name one that a log's country, read up to its first
// double or trailing blank, can never be; none for a sound entry.
std::optional<std::string_view> entry_fault(std::string_view line, const CountryEntry& entry) {
    if (cut_at(line, '\0').find('\t') == std::string_view::npos) return "no TAB between the prefix and the name";
    if (entry.prefix.empty()) return "an empty prefix";
    if (entry.name.empty()) return "an empty name";
    if (entry.name.ends_with(' ')) return "a name that ends in a blank, which no log's country does";
    if (entry.name.find("  ") != std::string::npos) {
        return "two blanks in a row in the name, where a log's country ends";
    }
    if (entry.name.size() > COUNTRY.width) return "a name longer than the 40 characters of a log's country";
    return std::nullopt;
}

// Whether the prefix is the entity's in the DXCC lists, or a callsign that begins with it may be
// one of the entity's on the date: a start of its calls begins the prefix, and the prefix's
// character after it, if any, is one of the start's call-area digits.
bool prefix_serves(std::string_view prefix, const Entity& entity, int date) {
    if (prefix == entity.prefix) return true;
    const std::string upper = upper_case(prefix);
    for (std::size_t length = 1; length <= std::min(upper.size(), LONGEST_START); ++length) {
        const std::string_view rest = std::string_view(upper).substr(length);
        for (const CallStart& row : rows_with(CALL_STARTS, upper.substr(0, length), &CallStart::start)) {
            const bool digit = row.digits.empty() || rest.empty() || row.digits.find(rest[0]) != std::string_view::npos;
            if (row.code == entity.code && holds(row, date) && digit) return true;
        }
    }
    return false;
}

bool by_contacts(const UnknownCountry& a, const UnknownCountry& b) {
    return a.contacts != b.contacts ? a.contacts > b.contacts : a.first_record < b.first_record;
}

std::string shown_day(int date) {
    const std::string digits = std::to_string(date);
    return digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" + digits.substr(6);
}

}  // namespace

void tally_unknown(CountryTally& tally, std::int64_t record_number, std::string_view spelling) {
    auto at = tally.unknown.find(spelling);
    if (at == tally.unknown.end()) at = tally.unknown.emplace(spelling, CountryTally::Count{0, record_number}).first;
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
    std::sort(unknown.begin(), unknown.end(), by_contacts);
    return unknown;
}

std::string entity_names(const std::vector<int>& codes) {
    std::string names;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        names.append(i == 0 ? "" : i + 1 == codes.size() ? " or " : ", ").append(std::to_string(codes[i])).append(" ");
        names.append(entity_of(codes[i]).list_name);
    }
    return names;
}

std::string disagreement(int date, std::string_view call, std::string_view spelling, const EntityChoice& choice) {
    return shown_day(date) + ", " + shown_bytes(call) + ", " + quoted_bytes(spelling) + " is " + entity_names(choice.named) +
           ", the callsign says " + entity_names(choice.called);
}

void tally_mixed(CountryTally& tally, std::int64_t record_number, std::string_view spelling,
                 std::optional<std::string_view> prefix, const EntityChoice& choice, int date) {
    const bool several = choice.named.size() > 1;
    if (!several && (choice.entity == nullptr || !prefix || prefix->empty() || prefix_serves(*prefix, *choice.entity, date))) {
        return;
    }
    auto at = tally.mixed.find(spelling);
    if (at == tally.mixed.end()) {
        const std::string why = several ? "it names " + entity_names(choice.named)
                                        : "dxcc.txt gives it " + std::string(*prefix) + ", not a prefix of " +
                                              entity_names({choice.entity->code});
        at = tally.mixed.emplace(spelling, CountryTally::Mixed{{0, record_number}, why + " on " + shown_day(date)}).first;
    }
    ++at->second.count.contacts;
}

std::vector<UnknownCountry> mixed_countries(const CountryTally& tally) {
    std::vector<UnknownCountry> mixed;
    for (const auto& [spelling, country] : tally.mixed) {
        mixed.push_back({spelling, country.count.contacts, country.count.first_record, 0, std::nullopt, country.why});
    }
    std::sort(mixed.begin(), mixed.end(), by_contacts);
    return mixed;
}

DxccFindings dxcc_findings(std::FILE* file) {
    DxccFindings findings;
    std::rewind(file);
    struct Named {
        std::size_t line;
        std::string prefix;
    };
    std::unordered_map<std::string, Named> named;
    std::string line;
    for (std::size_t number = 1; read_country_line(file, line); number += line.ends_with('\n') ? 1U : 0U) {
        if (line[0] == '#' || line[0] == '\n') continue;
        const CountryEntry entry = parse_entry_line(line);
        const std::string where = "line " + std::to_string(number) + ": ";
        const std::string shown = quoted_bytes(cut_at(line, '\n'));
        if (const std::optional<std::string_view> fault = entry_fault(line, entry)) {
            findings.faults.push_back(where + std::string(*fault) + ": " + shown);
            continue;
        }
        const auto [at, added] = named.try_emplace(entry.name, Named{number, entry.prefix});
        if (added || at->second.prefix == entry.prefix) continue;
        findings.repeats.push_back(where + shown + " wins over line " + std::to_string(at->second.line));
        at->second = {number, entry.prefix};
    }
    return findings;
}

}  // namespace t2c

#include "check/country_check.h"

#include <algorithm>
#include <utility>

#include "check/shown_bytes.h"
#include "convert/convert_record.h"

namespace t2c {

namespace {

// The name with a-z made A-Z, by their ASCII codes alone, and every '.' and ' ' left out.
std::string loose_spelling(std::string_view name) {
    std::string loose;
    for (const char c : name) {
        if (c == '.' || c == ' ') continue;
        loose.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return loose;
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
    // Each loose spelling of the table's names with the prefix of its one name, or none when
    // several names share it.
    std::unordered_map<std::string, std::optional<std::string>> loose_names;
    for (const auto& [name, prefix] : countries) {
        const auto [at, added] = loose_names.try_emplace(loose_spelling(name), prefix);
        if (!added) at->second.reset();
    }
    std::vector<UnknownCountry> unknown;
    unknown.reserve(tally.unknown.size());
    for (const auto& [spelling, count] : tally.unknown) {
        UnknownCountry country{spelling, count.contacts, count.first_record, std::nullopt};
        if (std::none_of(spelling.begin(), spelling.end(), is_control_byte)) {
            const auto at = loose_names.find(loose_spelling(spelling));
            if (at != loose_names.end()) country.suggested_prefix = at->second;
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

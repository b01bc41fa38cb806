#include "adif/dxcc_by_date.h"

#include <algorithm>
#include <span>
#include <unordered_map>
#include <vector>

#include "convert/calendar.h"

namespace t2c::adif {

namespace {

bool holds(const Entity& row, int date) { return row.from <= date && date <= row.to; }

bool follows(const Entity& later, const Entity& earlier) {
    return earlier.to != NO_LIMIT_TO && later.from == next_day(earlier.to);
}

std::span<const Entity> rows_of(int code) {
    const auto [first, last] = std::equal_range(ENTITIES.begin(), ENTITIES.end(), Entity{code, {}, {}, 0, 0},
                                                [](const Entity& a, const Entity& b) { return a.code < b.code; });
    return {first, last};
}

// The rows of a prefix, indexed once: a log may ask for every contact.
const std::vector<const Entity*>& rows_of(std::string_view prefix) {
    static const auto by_prefix = [] {
        std::unordered_map<std::string_view, std::vector<const Entity*>> table;
        for (const Entity& row : ENTITIES) table[row.prefix].push_back(&row);
        return table;
    }();
    static const std::vector<const Entity*> none;
    const auto found = by_prefix.find(prefix);
    return found == by_prefix.end() ? none : found->second;
}

const Entity* successor_or_forerunner(const Entity& candidate, int date) {
    for (const Entity* other : rows_of(candidate.prefix)) {
        if (other->code != candidate.code && holds(*other, date) && (follows(*other, candidate) || follows(candidate, *other))) {
            return other;
        }
    }
    return nullptr;
}

}  // namespace

const Entity* dxcc_by_date(std::string_view spelling, std::optional<std::string_view> list_prefix, int date) {
    const auto [first, last] = std::equal_range(SPELLINGS.begin(), SPELLINGS.end(), Spelling{spelling, 0},
                                                [](const Spelling& a, const Spelling& b) { return a.name < b.name; });
    std::vector<const Entity*> candidates;
    for (auto at = first; at != last; ++at) {
        for (const Entity& row : rows_of(at->code)) candidates.push_back(&row);
    }
    if (first == last && list_prefix && !list_prefix->empty()) candidates = rows_of(*list_prefix);
    for (const Entity* candidate : candidates) {
        if (holds(*candidate, date)) return candidate;
    }
    for (const Entity* candidate : candidates) {
        if (const Entity* found = successor_or_forerunner(*candidate, date)) return found;
    }
    return nullptr;
}

}  // namespace t2c::adif

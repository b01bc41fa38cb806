#include "adif/dxcc_by_date.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "adif/calendar.h"

namespace t2c::adif {

namespace {

std::span<const Period> periods_of(int code) {
    const auto [first, last] = std::equal_range(PERIODS.begin(), PERIODS.end(), Period{code, 0, 0},
                                                [](const Period& a, const Period& b) { return a.code < b.code; });
    return {first, last};
}

// An entity without a period counts at any date.
bool holds(int code, int date) {
    const std::span<const Period> periods = periods_of(code);
    return periods.empty() || std::any_of(periods.begin(), periods.end(),
                                          [&](const Period& p) { return p.from <= date && date <= p.to; });
}

bool follows(int code, int earlier) {
    for (const Period& before : periods_of(earlier)) {
        for (const Period& after : periods_of(code)) {
            if (before.to != NO_LIMIT_TO && after.from == next_day(before.to)) return true;
        }
    }
    return false;
}

// The entities of a prefix, indexed once: a log may ask for every contact.
const std::vector<const Entity*>& entities_of(std::string_view prefix) {
    static const auto by_prefix = [] {
        std::unordered_map<std::string_view, std::vector<const Entity*>> table;
        for (const Entity& entity : ENTITIES) table[entity.prefix].push_back(&entity);
        return table;
    }();
    static const std::vector<const Entity*> none;
    const auto found = by_prefix.find(prefix);
    return found == by_prefix.end() ? none : found->second;
}

const Entity* successor_or_forerunner(const Entity& candidate, int date) {
    for (const Entity* other : entities_of(candidate.prefix)) {
        if (other->code == candidate.code || !holds(other->code, date)) continue;
        if (follows(other->code, candidate.code) || follows(candidate.code, other->code)) return other;
    }
    return nullptr;
}

const Entity* entity(int code) {
    const auto found = std::lower_bound(ENTITIES.begin(), ENTITIES.end(), code,
                                        [](const Entity& e, int c) { return e.code < c; });
    return found != ENTITIES.end() && found->code == code ? &*found : nullptr;
}

// Calls take for each candidate until it gives an entity, and returns that.
template <typename Take>
const Entity* first_of_candidates(std::string_view spelling, std::optional<std::string_view> list_prefix, Take take) {
    const auto [first, last] = std::equal_range(SPELLINGS.begin(), SPELLINGS.end(), Spelling{spelling, 0},
                                                [](const Spelling& a, const Spelling& b) { return a.name < b.name; });
    for (auto at = first; at != last; ++at) {
        if (const Entity* candidate = entity(at->code)) {
            if (const Entity* found = take(*candidate)) return found;
        }
    }
    if (first != last || !list_prefix || list_prefix->empty()) return nullptr;
    for (const Entity* candidate : entities_of(*list_prefix)) {
        if (const Entity* found = take(*candidate)) return found;
    }
    return nullptr;
}

}  // namespace

const Entity* dxcc_by_date(std::string_view spelling, std::optional<std::string_view> list_prefix, int date) {
    const Entity* held = first_of_candidates(spelling, list_prefix, [&](const Entity& candidate) {
        return holds(candidate.code, date) ? &candidate : nullptr;
    });
    if (held != nullptr) return held;
    return first_of_candidates(spelling, list_prefix,
                               [&](const Entity& candidate) { return successor_or_forerunner(candidate, date); });
}

}  // namespace t2c::adif

#include "dxcc/dxcc_by_date.h"

#include <unordered_map>
#include <utility>

#include "convert/calendar.h"
#include "text/field.h"

namespace t2c {

namespace {

constexpr int FIRST_YEAR = 1930;
constexpr std::string_view NO_PLACE[] = {"P", "M", "QRP", "QRPP", "B", "R", "LH"};

bool follows(const Entity& later, const Entity& earlier) {
    return earlier.to != NO_LIMIT_TO && later.from == next_day(earlier.to);
}

auto rows_of(int code) { return rows_with(ENTITIES, code, &Entity::code); }

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

void add_once(std::vector<int>& codes, int code) {
    if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
}

// The entities of the call's longest starts that hold on the date, where the digit after the
// start is a call-area digit the start allows and the suffix rule holds for the text after the
// call-area digit and for the whole call; at equal length a start with a suffix rule wins.
void starts_of(std::string_view call, std::string_view whole, int date, std::vector<int>& codes) {
    codes.clear();
    // The rows of the call's first character, found once: each length then searches only them.
    const auto first_character = [](const CallStart& row) { return row.start.substr(0, 1); };
    const auto initial = rows_with(CALL_STARTS, call.substr(0, 1), first_character);
    for (std::size_t length = std::min(call.size(), LONGEST_START); length > 0 && codes.empty(); --length) {
        const std::string_view rest = call.substr(length);
        const auto digits_end = std::find_if_not(rest.begin(), rest.end(), is_digit);
        const std::string_view suffix = rest.substr(static_cast<std::size_t>(digits_end - rest.begin()));
        bool ruled = false;
        for (const CallStart& row : rows_with(initial, call.substr(0, length), &CallStart::start)) {
            const bool digit = row.digits.empty() || (!rest.empty() && row.digits.find(rest[0]) != std::string_view::npos);
            if (!holds(row, date) || !digit || !suffix.starts_with(row.after) || !whole.ends_with(row.ends)) continue;
            const bool rule = !row.after.empty() || !row.ends.empty();
            if (rule && !ruled) codes.clear();
            ruled = ruled || rule;
            if (rule == ruled) add_once(codes, row.code);
        }
    }
}

// The entities the callsign allows on the date; false for one that counts for no entity.
bool call_entities(std::string_view call_text, int date, std::vector<int>& codes) {
    codes.clear();
    const std::string call = upper_case(call_text);
    std::string_view shortest, longest;
    char area = '\0';
    for (std::size_t at = 0; at <= call.size();) {
        const std::size_t end = std::min(call.find('/', at), call.size());
        const std::string_view part = std::string_view(call).substr(at, end - at);
        at = end + 1;
        if (part == "MM" || part == "AM") return false;
        if (part.size() == 1 && is_digit(part[0])) {
            area = part[0];
        } else if (!part.empty() && std::find(std::begin(NO_PLACE), std::end(NO_PLACE), part) == std::end(NO_PLACE)) {
            if (shortest.empty() || part.size() < shortest.size()) shortest = part;
            if (part.size() > longest.size()) longest = part;
        }
    }
    if (shortest.data() != longest.data()) starts_of(shortest, call, date, codes);
    if (shortest.data() == longest.data() || codes.empty()) {
        std::string home(longest);
        // The call-area digit is the first digit after a letter: UA3ABC/9 is read as UA9ABC.
        for (std::size_t i = 1; i < home.size() && area != '\0'; ++i) {
            if (is_digit(home[i]) && !is_digit(home[i - 1])) home[i] = std::exchange(area, '\0');
        }
        starts_of(home, call, date, codes);
    }
    return true;
}

}  // namespace

std::optional<int> calendar_date(std::string_view date) {
    if (date.size() != 8 || !all_digits(date) || digits_value(date.substr(0, 4)) < FIRST_YEAR) {
        return std::nullopt;
    }
    const int day = digits_value(date.substr(6, 2));
    if (day < 1 || day > days_in_month(digits_value(date.substr(0, 4)), digits_value(date.substr(4, 2)))) return std::nullopt;
    return digits_value(date);
}

const Entity& entity_of(int code) { return rows_of(code).front(); }

const Entity* dxcc_by_date(std::string_view spelling, std::optional<std::string_view> list_prefix, int date) {
    const auto spelled = rows_with(SPELLINGS, spelling, &Spelling::name);
    std::vector<const Entity*> candidates;
    for (const Spelling& at : spelled) {
        for (const Entity& row : rows_of(at.code)) candidates.push_back(&row);
    }
    if (spelled.empty() && list_prefix && !list_prefix->empty()) candidates = rows_of(*list_prefix);
    for (const Entity* candidate : candidates) {
        if (holds(*candidate, date)) return candidate;
    }
    for (const Entity* candidate : candidates) {
        if (const Entity* found = successor_or_forerunner(*candidate, date)) return found;
    }
    return nullptr;
}

void choose_entity(EntityChoice& choice, std::string_view spelling, std::optional<std::string_view> list_prefix,
                   std::string_view call, int date) {
    choice.upper.assign(spelling);
    std::transform(choice.upper.begin(), choice.upper.end(), choice.upper.begin(), ascii_upper);
    choice.named.clear();
    // The tables know the names they hold better than a line of dxcc.txt, which gives one prefix.
    const auto old_names = rows_with(OLD_NAMES, choice.upper, &OldName::name);
    if (const Entity* today = dxcc_by_date(choice.upper, old_names.empty() ? list_prefix : std::nullopt, date)) {
        choice.named.push_back(today->code);
    }
    for (const OldName& row : old_names) {
        if (holds(row, date)) add_once(choice.named, row.code);
    }
    const bool placed = call_entities(call, date, choice.called);
    int common = 0, code = 0;
    for (const int named : choice.named) {
        if (std::find(choice.called.begin(), choice.called.end(), named) != choice.called.end()) ++common, code = named;
    }
    choice.disagree = placed && common == 0 && !choice.named.empty() && !choice.called.empty();
    choice.by_call = placed && choice.named.empty() && choice.called.size() == 1;
    if (common == 0) code = choice.named.size() == 1 ? choice.named.front() : choice.by_call ? choice.called.front() : 0;
    choice.entity = placed && common <= 1 && code != 0 ? &entity_of(code) : nullptr;
}

}  // namespace t2c

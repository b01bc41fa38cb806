#include "check/record_check.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <optional>

#include "check/shown_bytes.h"
#include "convert/convert_record.h"
#include "dbf/record_layout.h"
#include "text/field.h"

namespace t2c {

namespace {

enum Carried : std::size_t { TIME, DATE_ODD, CUT, NO_CALL, EMPTIED, PLACE_CUT, BAND_ODD, NO_PREFIX };

// The fields the converter carries up to their first blank, each as the check names it.
struct WordField {
    const char* what;
    FieldSpan span;
    std::string_view ImportRecord::*carried;
};
constexpr std::array<WordField, 7> WORD_FIELDS = {{
    {"callsign", CALL, &ImportRecord::call}, {"frequency", FREQUENCY, &ImportRecord::frequency},
    {"mode", MODE, &ImportRecord::mode}, {"report sent", REPORT_SENT, &ImportRecord::report_sent},
    {"report received", REPORT_RECEIVED, &ImportRecord::report_received},
    {"two-character code", CODE2, &ImportRecord::code2}, {"six-character code", CODE6, &ImportRecord::code6},
}};

// A text of a contact as the log holds it and as the import line carries it, with the field's
// name where a kind has several and the part of the line (the comment, the prefix) that
// carries it where that is not the field itself.
struct Shown {
    std::string_view field, from, into, to;
};

// The field's text as the log holds it, without the blanks that pad it.
std::string_view log_text(std::string_view record, FieldSpan span) {
    std::string_view text = copy_field(field(record, span));
    while (text.ends_with(' ')) text.remove_suffix(1);
    return text;
}

bool all_digits(std::string_view text, std::size_t count) {
    return text.size() == count && std::all_of(text.begin(), text.end(), is_digit);
}

// Counts the record as one of the kind and, while the kind has fewer than few, keeps the record
// number and what describe() adds; three dots stand for those after them.
template <typename Describe>
void note(RecordKind& kind, std::int64_t number, Describe describe, std::size_t most = FIRST_FEW) {
    const auto few = static_cast<std::int64_t>(most);
    if (kind.count < few) kind.first.push_back("record " + std::to_string(number) + describe());
    if (kind.count++ == few) kind.first.emplace_back("...");
}

// Whether the import line writes the date as a calendar has it: a year of four digits, and a
// day of two that its month has in that year.
bool calendar_date(const ImportRecord& out) {
    if (!all_digits(out.year, 4) || !all_digits(out.day, 2)) return false;
    int year = 0;
    std::from_chars(out.year.data(), out.year.data() + out.year.size(), year);
    const auto month = std::find(MONTH_NAMES.begin(), MONTH_NAMES.end(), out.month_name) - MONTH_NAMES.begin();
    const auto day = static_cast<unsigned>(read_two_digit(out.day).value_or(0));
    return std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{day}}.ok();
}

// Holds what convert_record gave an accepted contact against the log's own texts; a contact
// counts once for a kind, shown by the first of its fields that has it.
void compare(RecordTally& tally, std::int64_t number, std::string_view record) {
    const ImportRecord& out = tally.import_record;
    std::array<std::optional<Shown>, CARRIED_KINDS.size()> seen;
    const std::string_view time = out.time, comment = out.comment;
    const bool hh_mm = time.size() == 8 && all_digits(time.substr(0, 2), 2) && time[2] == ':' &&
                       all_digits(time.substr(3, 2), 2);
    if (!hh_mm) seen[TIME] = Shown{"", log_text(record, TIME_INI), "", time};
    if (!calendar_date(out)) {
        tally.shown_date.assign(out.day).append("-").append(out.month_name).append("-").append(out.year);
        seen[DATE_ODD] = Shown{"", copy_field(field(record, DATE)), "", tally.shown_date};
    }
    const std::string_view manager = log_text(record, MANAGER);
    if (manager.find(' ') != std::string_view::npos && !comment.ends_with(manager)) {
        seen[CUT] = Shown{"QSL manager", manager, "comment ", comment};
    }
    for (auto word = WORD_FIELDS.rbegin(); word != WORD_FIELDS.rend(); ++word) {
        const std::string_view text = log_text(record, word->span), carried = out.*word->carried;
        if (carried == text || text.find(' ') == std::string_view::npos) continue;
        seen[CUT] = Shown{word->what, text, "", carried};
    }
    if (out.call.empty() && log_text(record, CALL).empty()) seen[NO_CALL] = Shown{"callsign", "", "", ""};
    // The comment carries the name's first word and a '/', then the whole place, and ends at
    // its first double blank.
    const std::string_view name = log_text(record, NAME), place = log_text(record, PLACE);
    const std::string_view word = cut_at(name.substr(std::min(name.find_first_not_of(' '), name.size())), ' ');
    if (!place.empty() && comment.find(place) == std::string_view::npos) {
        seen[place.starts_with("  ") ? EMPTIED : PLACE_CUT] = Shown{"place", place, "comment ", comment};
    }
    if (!word.empty() && !(comment.starts_with(word) && comment.substr(word.size()).starts_with('/'))) {
        seen[EMPTIED] = Shown{"name", name, "comment ", comment};
    }
    const std::string_view band = log_text(record, BAND), carried_band = out.band;
    const auto metres_character = [](char c) { return is_digit(c) || c == '.'; };
    const bool metres =
        !carried_band.empty() && std::all_of(carried_band.begin(), carried_band.end(), metres_character);
    const bool cut_at_m = band.size() == carried_band.size() + 1 && band.ends_with('m');
    if (!band.empty() && !(metres && (band == carried_band || cut_at_m))) {
        seen[BAND_ODD] = Shown{"", band, "", carried_band};
    }
    if (out.prefix.empty()) seen[NO_PREFIX] = Shown{"country", country_key(record), "prefix ", out.prefix};
    for (std::size_t kind = 0; kind < seen.size(); ++kind) {
        if (const std::optional<Shown>& shown = seen[kind]) {
            note(tally.carried[kind], number, [&] {
                std::string text(shown->field.empty() ? "" : " ");
                text.append(shown->field).append(" ").append(quoted_bytes(shown->from)).append(" -> ");
                return text.append(shown->into).append(quoted_bytes(shown->to));
            });
        }
    }
}

}  // namespace

void tally_record(RecordTally& tally, const CountryTable& countries, std::string_view record) {
    const std::int64_t number = ++tally.records;
    const ConvertResult result = convert_record(record, countries, tally.seconds_counter, tally.import_record);
    if (result.verdict == Verdict::deleted) {
        ++tally.deleted;
    } else if (result.verdict == Verdict::rejected) {
        note(tally.rejected, number, [&] {
            return ": " + rejection_reason(result) + "; date " + quoted_bytes(copy_field(field(record, DATE))) +
                   ", time " + quoted_bytes(copy_field(field(record, TIME_INI))) + ", callsign " +
                   quoted_bytes(tally.import_record.call);
        }, MOST_REJECTED);
    } else {
        ++tally.contacts;
        if (tally_country(tally.countries, countries, number, record)) ++tally.unknown_country;
        compare(tally, number, record);
    }
}

}  // namespace t2c

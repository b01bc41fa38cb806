#include "check/record_check.h"

#include <algorithm>

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

// The field's text as the log holds it, without the blanks that pad it.
std::string_view log_text(std::string_view record, FieldSpan span) {
    std::string_view text = copy_field(field(record, span));
    while (text.ends_with(' ')) text.remove_suffix(1);
    return text;
}

// A blank, then the text as the log holds it and as the import line carries it.
std::string changed(std::string_view from, std::string_view to) {
    std::string shown(1, ' ');
    return shown.append(quoted_bytes(from)).append(" -> ").append(quoted_bytes(to));
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool all_digits(std::string_view text, std::size_t count) {
    return text.size() == count && std::all_of(text.begin(), text.end(), is_digit);
}

// Counts the record as one of the kind and, while the kind has few, keeps its number and what
// describe() adds.
template <typename Describe>
void note(RecordKind& kind, std::int64_t number, Describe describe) {
    if (kind.count++ >= static_cast<std::int64_t>(FIRST_FEW)) return;
    const std::string what = describe();
    kind.first.push_back("record " + std::to_string(number) + what);
}

// The days of the month of that name, February's in that year when it is a number.
int days_in_month(std::string_view month_name, std::string_view year) {
    constexpr std::array<int, 13> DAYS = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const auto month = std::find(MONTH_NAMES.begin(), MONTH_NAMES.end(), month_name) - MONTH_NAMES.begin();
    if (month != 2 || !all_digits(year, 4)) return DAYS[static_cast<std::size_t>(month)];
    const int y = (year[0] - '0') * 1000 + (year[1] - '0') * 100 + (year[2] - '0') * 10 + (year[3] - '0');
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0) ? 29 : 28;
}

// Holds what convert_record gave an accepted contact against the log's own texts.
void compare(RecordTally& tally, std::int64_t number, std::string_view record) {
    const ImportRecord& out = tally.import_record;
    std::array<RecordKind, CARRIED_KINDS.size()>& kinds = tally.carried;
    const std::string_view time = out.time;
    const bool hh_mm = time.size() == 8 && is_digit(time[0]) && is_digit(time[1]) && time[2] == ':' &&
                       is_digit(time[3]) && is_digit(time[4]);
    if (!hh_mm) note(kinds[TIME], number, [&] { return changed(log_text(record, TIME_INI), time); });
    const int day = read_two_digit(out.day).value_or(0);
    if (!all_digits(out.year, 4) || !all_digits(out.day, 2) || day > days_in_month(out.month_name, out.year)) {
        note(kinds[DATE_ODD], number, [&] {
            std::string date(out.day);
            date.append("-").append(out.month_name).append("-").append(out.year);
            return changed(copy_field(field(record, DATE)), date);
        });
    }
    // A contact counts once for a kind, shown by the first of its fields that has it.
    const std::string_view comment = out.comment;
    const auto cut = std::find_if(WORD_FIELDS.begin(), WORD_FIELDS.end(), [&](const WordField& word) {
        const std::string_view text = log_text(record, word.span);
        return out.*word.carried != text && text.find(' ') != std::string_view::npos;
    });
    const std::string_view manager = log_text(record, MANAGER);
    if (cut != WORD_FIELDS.end()) {
        note(kinds[CUT], number,
             [&] { return " " + (cut->what + changed(log_text(record, cut->span), out.*cut->carried)); });
    } else if (manager.find(' ') != std::string_view::npos && !comment.ends_with(manager)) {
        note(kinds[CUT], number, [&] { return " QSL manager" + changed(manager, comment) + " (comment)"; });
    }
    if (out.call.empty() && log_text(record, CALL).empty()) note(kinds[NO_CALL], number, [] { return ""; });
    // The name carries its first word and a '/', the place all of it, both ended at the first
    // double blank of the comment.
    const std::string_view name = log_text(record, NAME), place = log_text(record, PLACE);
    const std::string_view word = cut_at(name.substr(std::min(name.find_first_not_of(' '), name.size())), ' ');
    const bool place_kept = place.empty() || comment.find(place) != std::string_view::npos;
    if (!word.empty() && !(comment.starts_with(word) && comment.substr(word.size()).starts_with('/'))) {
        note(kinds[EMPTIED], number, [&] { return " name" + changed(name, comment) + " (comment)"; });
    } else if (!place_kept && place.starts_with("  ")) {
        note(kinds[EMPTIED], number, [&] { return " place" + changed(place, comment) + " (comment)"; });
    }
    if (!place_kept && !place.starts_with("  ")) {
        note(kinds[PLACE_CUT], number, [&] { return changed(place, comment) + " (comment)"; });
    }
    const std::string_view band = log_text(record, BAND), carried_band = out.band;
    const auto metres_character = [](char c) { return is_digit(c) || c == '.'; };
    const bool metres =
        !carried_band.empty() && std::all_of(carried_band.begin(), carried_band.end(), metres_character);
    const bool cut_at_m = band.size() == carried_band.size() + 1 && band.ends_with('m');
    if (!band.empty() && !(metres && (band == carried_band || cut_at_m))) {
        note(kinds[BAND_ODD], number, [&] { return changed(band, carried_band); });
    }
    if (out.prefix.empty()) {
        note(kinds[NO_PREFIX], number, [&] { return " country " + quoted_bytes(country_key(record)); });
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
        });
    } else {
        ++tally.contacts;
        if (tally_country(tally.countries, countries, number, record)) ++tally.unknown_country;
        compare(tally, number, record);
    }
}

}  // namespace t2c

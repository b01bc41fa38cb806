#include "check/record_check.h"

#include "check/shown_bytes.h"
#include "convert/convert_record.h"
#include "dbf/record_layout.h"
#include "dxcc/dxcc_by_date.h"
#include "text/field.h"

namespace t2c {

namespace {

// Counts the record as one of the kind and, while the kind has fewer than few, keeps the record
// number and what describe() adds; three dots stand for those after them.
template <typename Describe>
void note(RecordKind& kind, std::int64_t number, Describe describe, std::size_t most = FIRST_FEW) {
    const auto few = static_cast<std::int64_t>(most);
    if (kind.count < few) kind.first.push_back("record " + std::to_string(number) + describe());
    if (kind.count++ == few) kind.first.emplace_back("...");
}

// Each change the conversion made, as the log holds the text and as the import line carries it,
// with the field's name where a kind has several fields or a part of the line carries it.
void tally_changes(RecordTally& tally, std::int64_t number) {
    const ImportRecord& out = tally.import_record;
    for (std::size_t kind = 0; kind < CHANGE_KINDS; ++kind) {
        const Changed& change = out.changes[kind];
        if (change.field == nullptr) continue;
        std::string_view to = change.to;
        if (kind == ODD_DATE) {
            to = tally.shown_date.assign(out.day).append("-").append(out.month_name).append("-").append(out.year);
        }
        note(tally.carried[kind], number, [&] {
            const bool named = kind != TIME_NOT_HH_MM && kind != ODD_DATE && kind != BAND_NOT_METRES;
            std::string text(named ? " " : "");
            text.append(named ? change.field->what : "").append(" ").append(quoted_bytes(change.from)).append(" -> ");
            return text.append(change.field->into).append(quoted_bytes(to));
        });
    }
}

// The contact's entity as the ADIF writer finds it, on the log's date, where ADIF can take that:
// the contacts whose callsign and country disagree are listed, and the spellings no line of
// dxcc.txt can serve counted. An empty country gives no prefix: the ADIF writer asks none for it.
void tally_entity(RecordTally& tally, std::int64_t number, std::string_view record, std::string_view country,
                  std::optional<std::string_view> prefix) {
    const std::optional<int> date = calendar_date(field_text(record, DATE));
    if (!date) return;
    const std::string_view call = trim(field_text(record, CALL));
    if (country.empty()) prefix.reset();
    choose_entity(tally.entity, country, prefix, call, *date);
    if (tally.entity.disagree) {
        note(tally.disagreeing, number, [&] { return ": " + disagreement(*date, call, country, tally.entity); }, MOST_REJECTED);
    }
    tally_mixed(tally.countries, number, country, prefix, tally.entity, *date);
}

}  // namespace

void tally_record(RecordTally& tally, const CountryTable& countries, std::string_view record) {
    const std::int64_t number = ++tally.records;
    const ConvertResult result = convert_record(record, countries, tally.seconds_counter, tally.import_record);
    if (result.verdict == Verdict::deleted) {
        ++tally.deleted;
    } else if (result.verdict == Verdict::rejected) {
        note(tally.rejected, number, [&] {
            return ": " + result.reason + "; date " + quoted_bytes(field_text(record, DATE)) + ", time " +
                   quoted_bytes(field_text(record, TIME_INI)) + ", callsign " + quoted_bytes(tally.import_record.call);
        }, MOST_REJECTED);
    } else {
        ++tally.contacts;
        // Looked up once, for the contacts given ?? and for the entity.
        const std::string_view country = country_key(record);
        const std::optional<std::string_view> prefix = find_country(countries, country);
        if (!prefix) {
            tally_unknown(tally.countries, number, country);
            ++tally.unknown_country;
        }
        tally_entity(tally, number, record, country, prefix);
        tally_changes(tally, number);
    }
}

}  // namespace t2c

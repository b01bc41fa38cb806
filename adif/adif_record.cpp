#include "adif/adif_record.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>

#include "convert/calendar.h"
#include "text/field.h"

namespace t2c::adif {

namespace {

constexpr std::string_view CONTINENTS[] = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
constexpr std::pair<std::string_view, ModeName> MODE_ALIASES[] = {
    {"PACKET", {"PKT", ""}}, {"AMTOR", {"TOR", ""}}, {"PACTOR", {"PAC", ""}}};
constexpr int MINUTES_A_DAY = 24 * 60;

// A text of the record without the blanks around it.
std::string_view text(std::string_view record, const LogField& log_field) { return trim(field_text(record, log_field)); }

bool printable(char c) { return c >= ' ' && c <= '~'; }

// The minutes of the day of a time written H:MM, HH:MM, HH.MM or HHMM.
std::optional<int> minutes_of_day(std::string_view time) {
    std::string hhmm(time);
    if (time.size() == 4 && time[1] == ':') hhmm.insert(0, 1, '0');
    if (hhmm.size() == 5 && (hhmm[2] == ':' || hhmm[2] == '.')) hhmm.erase(2, 1);
    if (hhmm.size() != 4 || !all_digits(hhmm)) return std::nullopt;
    const int hour = digits_value(hhmm.substr(0, 2)), minute = digits_value(hhmm.substr(2));
    if (hour > 23 || minute > 59) return std::nullopt;
    return hour * 60 + minute;
}

std::string hhmm(int minutes) { return std::to_string(10000 + minutes / 60 * 100 + minutes % 60).substr(1); }

// A day written YYYYMMDD, or with one separator throughout: YYYY-MM-DD, YYYY/MM/DD, YYYY.MM.DD.
std::optional<int> written_date(std::string_view text) {
    const bool separated = text.size() == 10 && text[4] == text[7] && std::string_view("-/.").find(text[4]) != std::string_view::npos;
    return calendar_date(separated ? std::string(text.substr(0, 4)).append(text.substr(5, 2)).append(text.substr(8)) : text);
}

// An alias's mode; a mode itself; a submode, with the mode it belongs to.
const ModeName* adif_mode(std::string_view upper_mode) {
    static const auto by_value = [] {
        std::unordered_map<std::string_view, const ModeName*> table;
        for (const ModeName& name : MODES) table.try_emplace(name.value, &name);  // a mode before its submode
        for (const auto& [alias, name] : MODE_ALIASES) table.emplace(alias, &name);
        return table;
    }();
    const auto found = by_value.find(upper_mode);
    return found == by_value.end() ? nullptr : found->second;
}

template <typename Holds>
const Band* find_band(Holds holds) {
    const auto found = std::find_if(BANDS.begin(), BANDS.end(), holds);
    return found == BANDS.end() ? nullptr : &*found;
}

// A frequency to a thousandth of a hertz: as fine as a text of the log's eight characters can
// write one, in MHz or in kHz.
constexpr std::int64_t MILLIHERTZ_PER_HZ = 1000, MILLIHERTZ_PER_KHZ = 1000000, MILLIHERTZ_PER_MHZ = 1000000000;

const Band* band_at(std::int64_t millihertz) {
    return find_band([&](const Band& b) {
        return b.lower_hz * MILLIHERTZ_PER_HZ <= millihertz && millihertz <= b.upper_hz * MILLIHERTZ_PER_HZ;
    });
}

// Digits with at most one decimal point or comma, at least one digit and at most nine
// characters (the log's field has eight), in the unit given; digits finer than a millihertz
// are dropped.
std::optional<std::int64_t> millihertz_of(std::string_view text, std::int64_t unit) {
    const std::size_t point = text.find_first_of(".,");
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (text.size() > 9 || whole.size() + fraction.size() == 0 || !all_digits(whole) || !all_digits(fraction)) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : whole) value = value * 10 + (c - '0');
    value *= unit;
    for (const char c : fraction) value += (unit /= 10) * (c - '0');
    return value;
}

// A positive frequency, in the band named, or else in any band: a number with a decimal point
// read as MHz first, then as kHz; a whole number as kHz first (10120 is 30m, not 3cm), then as
// MHz (1296 is 23cm). One that lies in no band so is read as MHz.
std::optional<std::int64_t> frequency(std::string_view text, const Band* named) {
    const std::optional<std::int64_t> mhz = millihertz_of(text, MILLIHERTZ_PER_MHZ);
    if (!mhz || *mhz <= 0) return std::nullopt;
    const std::int64_t khz = *millihertz_of(text, MILLIHERTZ_PER_KHZ);
    const bool whole = text.find_first_of(".,") == std::string_view::npos;
    const auto fits = [named](std::int64_t millihertz) {
        return named != nullptr ? band_at(millihertz) == named : band_at(millihertz) != nullptr;
    };
    const std::int64_t first = whole ? khz : *mhz, second = whole ? *mhz : khz;
    if (fits(first)) return first;
    return fits(second) ? second : *mhz;
}

// MHz to the nearest hertz, without trailing zeros.
std::string mhz_text(std::int64_t millihertz) {
    const std::int64_t hertz = (millihertz + MILLIHERTZ_PER_HZ / 2) / MILLIHERTZ_PER_HZ;
    std::string fraction = std::to_string(1000000 + hertz % 1000000).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return std::to_string(hertz / 1000000) + (fraction.empty() ? "" : "." + fraction);
}

// A Maidenhead locator of four or six characters, written AA00aa.
std::string locator(std::string_view code) {
    constexpr std::string_view LOWEST = "AA00AA", HIGHEST = "RR99XX";
    const std::string upper = upper_case(code);
    for (std::size_t i = 0; i < upper.size() && (upper.size() == 4 || upper.size() == 6); ++i) {
        if (upper[i] < LOWEST[i] || upper[i] > HIGHEST[i]) return {};
    }
    return upper.size() == 4 || upper.size() == 6 ? upper.substr(0, 4) + lower_case(upper.substr(4)) : "";
}

class RecordWriter {
public:
    RecordWriter(std::string& out, CodePage code_page, AdifNotes& notes) : out_(out), code_page_(code_page), notes_(notes) {}

    // Nothing for an empty text: no reader is told of a value the log does not hold.
    RecordWriter& field(std::string_view name, std::string_view value) {
        if (!value.empty()) append_field(out_, name, ascii(value)).push_back(' ');
        return *this;
    }

    // The log's text that no ADIF field or value takes, under the name of the log's field.
    RecordWriter& app(std::string_view log_name, std::string_view value) {
        if (value.empty()) return *this;
        notes_.app_field = true;
        return field(app_name_.assign(APP_PREFIX).append(log_name), value);
    }

private:
    std::string_view ascii(std::string_view value) {
        if (std::all_of(value.begin(), value.end(), printable)) return value;
        notes_.respelled = true;
        spelled_.clear();
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            // A control byte is no letter.
            spelled_ += byte >= 0x80 ? HIGH_BYTES[byte - 0x80u][code_page_] : printable(c) ? std::string_view(&c, 1) : "?";
        }
        return spelled_;
    }

    std::string& out_;
    CodePage code_page_;
    AdifNotes& notes_;
    std::string spelled_, app_name_;  // kept from field to field: no allocation for each
};

// Y for B, D, S or Y, N for N or a blank, in either case; how the card went for B and D; S is
// kept. Any other byte answers nothing, since unknown is not no, and is kept. True for Y.
bool qsl(RecordWriter& line, const LogField& log_field, std::string_view via, std::string_view flag) {
    const char upper = flag.empty() ? 'N' : ascii_upper(flag[0]);
    const bool yes = upper == 'B' || upper == 'D' || upper == 'S' || upper == 'Y', known = yes || upper == 'N';
    line.field(log_field.adif, yes ? "Y" : known ? "N" : "").field(via, upper == 'B' || upper == 'D' ? std::string_view(&upper, 1) : "");
    line.app(log_field.name, upper == 'S' || !known ? flag : "");
    return yes;
}

ConvertResult rejected(std::string_view what, std::string_view value) {
    return {Verdict::rejected, std::string(what) + " [" + std::string(value) + "]"};
}

// What of a contact ADIF takes beyond its texts, read and checked, and the texts it was read from.
struct Contact {
    std::string_view call, band_text, frequency_text;  // without the blanks around them
    int date = 0, minutes = 0;  // in UTC
    int local_minutes = 0;      // as the log writes them
    const ModeName* mode = nullptr;
    const Band* named = nullptr;  // the log's own band, where ADIF has it
    const Band* band = nullptr;   // the band written
    std::optional<std::int64_t> frequency;  // where it fits the band
};

ConvertResult read_contact(std::string_view record, int utc_offset_minutes, Contact& contact) {
    const std::string_view date_text = field_text(record, DATE), time_text = text(record, TIME_INI);
    const std::string_view mode_text = text(record, MODE);
    const std::optional<int> date = calendar_date(date_text);
    if (!date) return rejected("invalid date", date_text);
    const std::optional<int> minutes = minutes_of_day(time_text);
    if (!minutes) return rejected("invalid time", time_text);
    contact.call = text(record, CALL);
    if (contact.call.empty()) return {Verdict::rejected, "empty CALL field"};
    contact.mode = adif_mode(upper_case(mode_text));
    if (contact.mode == nullptr) return rejected("unknown mode", mode_text);
    contact.band_text = text(record, BAND);
    contact.named = find_band([lower = lower_case(contact.band_text)](const Band& b) { return b.name == lower; });
    contact.frequency_text = text(record, FREQUENCY);
    const std::optional<std::int64_t> mhz = frequency(contact.frequency_text, contact.named);
    contact.band = contact.named != nullptr ? contact.named : mhz ? band_at(*mhz) : nullptr;
    // A frequency that disagrees with the band the log names is kept, not written.
    if (mhz && (contact.named == nullptr || band_at(*mhz) == contact.named)) contact.frequency = mhz;
    if (contact.band == nullptr && !contact.frequency) return rejected("unknown band", contact.band_text);

    // The contact's time in UTC, the day moved where the offset crosses midnight (at most one day).
    contact.local_minutes = *minutes, contact.minutes = *minutes - utc_offset_minutes, contact.date = *date;
    if (contact.minutes < 0) contact.date = previous_day(contact.date), contact.minutes += MINUTES_A_DAY;
    if (contact.minutes >= MINUTES_A_DAY) contact.date = next_day(contact.date), contact.minutes -= MINUTES_A_DAY;
    return {Verdict::accepted};
}

// The end time, where it is a time, in UTC: an end earlier than the start is on the next day.
bool time_off(RecordWriter& line, std::string_view value, const Contact& contact) {
    const std::optional<int> end = minutes_of_day(value);
    if (!end) return false;
    const int minutes = contact.minutes + (*end - contact.local_minutes + MINUTES_A_DAY) % MINUTES_A_DAY;
    line.field(TIME_END.adif, hhmm(minutes % MINUTES_A_DAY));
    line.field("QSO_DATE_OFF", minutes >= MINUTES_A_DAY ? std::to_string(next_day(contact.date)) : "");
    return true;
}

// A field the header has exactly where the layout has one of the converter's unread fields
// with an ADIF field, written there when it holds what that field takes; false leaves it to an
// application field. The QSL date is the card's whose flag alone says Y.
bool by_place(RecordWriter& line, const LogField& as, std::string_view value, const Contact& contact, bool sent, bool received) {
    if (&as == &TIME_END) return time_off(line, value, contact);
    if (&as == &REMARKS) {
        line.field(REMARKS.adif, value);
        return true;
    }
    const std::optional<int> day = written_date(value);
    if (!day || sent == received) return false;
    line.field(received ? "QSLRDATE" : "QSLSDATE", std::to_string(*day));
    return true;
}

}  // namespace

CodePage code_page_of(std::uint8_t language) {
    if (language == 0x02) return CP850;
    return language == 0x03 || language == 0x57 ? CP1252 : CP437;
}

std::vector<UnreadField> unread_fields(const std::vector<FieldDescriptor>& fields) {
    std::vector<UnreadField> unread;
    for (const FieldDescriptor& f : fields) {
        const auto overlaps = [&](const LogField& read) {
            return read.take != Take::unread && f.offset < read.offset + read.width && read.offset < f.offset + f.width;
        };
        const auto same = [&](const LogField& as) { return !as.adif.empty() && as.span() == FieldSpan{f.offset, f.width}; };
        if (f.width == 0 || std::any_of(LOG_FIELDS.begin(), LOG_FIELDS.end(), overlaps)) continue;
        const auto as = std::find_if(LOG_FIELDS.begin(), LOG_FIELDS.end(), same);
        // ADIF's names take no blank, comma, colon, angle bracket or brace: plain letters, digits, '_'.
        std::string name = upper_case(f.name);
        std::replace_if(name.begin(), name.end(), [](char c) { return !((c >= 'A' && c <= 'Z') || is_digit(c)); }, '_');
        unread.push_back({name.empty() ? "_" : name, {f.offset, f.width}, as == LOG_FIELDS.end() ? nullptr : &*as});
    }
    return unread;
}

std::string& append_field(std::string& out, std::string_view name, std::string_view ascii_value) {
    char length[24];
    const char* const length_end = std::to_chars(length, length + sizeof length, ascii_value.size()).ptr;
    // Grown once and filled in place: a field is a dozen small pieces, each append would check and grow.
    const std::size_t at = out.size();
    out.resize(at + name.size() + static_cast<std::size_t>(length_end - length) + ascii_value.size() + 3);
    char* to = out.data() + at;
    *to++ = '<';
    to = std::copy(name.begin(), name.end(), to);
    *to++ = ':';
    to = std::copy(static_cast<const char*>(length), length_end, to);
    *to++ = '>';
    std::copy(ascii_value.begin(), ascii_value.end(), to);
    return out;
}

ConvertResult append_adif_record(std::string_view record, const CountryTable& countries, const AdifLog& log,
                                 AdifNotes& notes, std::string& out) {
    Contact contact;
    ConvertResult result = read_contact(record, log.utc_offset_minutes, contact);
    if (result.verdict != Verdict::accepted) return result;
    const std::string_view country_text = text(record, COUNTRY), country = country_key(record);
    const std::string_view code2 = text(record, CODE2), code6 = text(record, CODE6);
    EntityChoice& choice = notes.entity;
    choose_entity(choice, country, country.empty() ? std::nullopt : find_country(countries, country), contact.call, contact.date);
    const std::string continent = upper_case(code2), grid = locator(code6);
    const bool is_continent = std::find(std::begin(CONTINENTS), std::end(CONTINENTS), continent) != std::end(CONTINENTS);
    const ModeName& mode = *contact.mode;
    notes.app_field = notes.respelled = false;
    RecordWriter line(out, log.code_page, notes);
    // The mapping: each row an ADIF field, what it takes from the log, and what it keeps.
    line.field(CALL.adif, contact.call);
    line.field(DATE.adif, std::to_string(contact.date));
    line.field(TIME_INI.adif, hhmm(contact.minutes));
    line.field(BAND.adif, contact.band != nullptr ? contact.band->name : "").app(BAND.name, contact.named ? "" : contact.band_text);
    line.field(FREQUENCY.adif, contact.frequency ? mhz_text(*contact.frequency) : "");
    line.app(FREQUENCY.name, contact.frequency ? "" : contact.frequency_text);
    line.field(MODE.adif, mode.mode.empty() ? mode.value : mode.mode).field("SUBMODE", mode.mode.empty() ? "" : mode.value);
    for (const LogField* texts : {&REPORT_SENT, &REPORT_RECEIVED, &NAME, &PLACE}) line.field(texts->adif, text(record, *texts));
    const bool sent = qsl(line, QSL_SENT, "QSL_SENT_VIA", text(record, QSL_SENT));
    const bool received = qsl(line, QSL_RECEIVED, "QSL_RCVD_VIA", text(record, QSL_RECEIVED));
    line.field(MANAGER.adif, text(record, MANAGER));
    line.field(COUNTRY.adif, choice.entity != nullptr ? choice.entity->name : country_text);
    line.field("DXCC", choice.entity != nullptr ? std::to_string(choice.entity->code) : "").app(COUNTRY.name, choice.by_call ? country_text : "");
    line.field(CODE2.adif, is_continent ? continent : "").app(CODE2.name, is_continent ? "" : code2);
    line.field(CODE6.adif, grid).app(CODE6.name, grid.empty() ? code6 : "");
    line.field("STATION_CALLSIGN", log.station_callsign);
    for (const UnreadField& unread : log.unread) {
        const std::string_view value = trim(field_text(record, unread.span));
        if (unread.as == nullptr || !by_place(line, *unread.as, value, contact, sent, received)) line.app(unread.name, value);
    }
    out.append("<EOR>").append(LINE_END);
    notes.country_without_dxcc = choice.entity == nullptr && !country_text.empty();
    return result;
}

}  // namespace t2c::adif

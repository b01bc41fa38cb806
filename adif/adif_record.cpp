#include "adif/adif_record.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>

#include "adif/calendar.h"
#include "adif/dxcc_by_date.h"
#include "convert/convert_record.h"
#include "text/field.h"

namespace t2c::adif {

namespace {

// The spans the mapping reads; a field of the header that overlaps none of them is kept whole.
constexpr FieldSpan READ[] = {DATE, TIME_INI, BAND, FREQUENCY, MODE, CALL, REPORT_SENT, REPORT_RECEIVED,
                              NAME, PLACE, QSL_SENT, QSL_RECEIVED, MANAGER, COUNTRY, CODE2, CODE6};
constexpr std::string_view CONTINENTS[] = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
constexpr int FIRST_YEAR = 1930;  // ADIF's dates begin here
constexpr int MINUTES_A_DAY = 24 * 60;

// A text of the record, trimmed of blanks; a zero byte ends it.
std::string_view text(std::string_view record, FieldSpan span) {
    std::string_view bytes = copy_field(field(record, span));
    while (!bytes.empty() && bytes.front() == ' ') bytes.remove_prefix(1);
    while (!bytes.empty() && bytes.back() == ' ') bytes.remove_suffix(1);
    return bytes;
}

// ASCII letters in upper or lower case; every other byte as it is.
std::string cased(std::string_view text, bool upper) {
    std::string out(text);
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool digits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number_of(std::string_view digit_text) {
    int value = 0;
    std::from_chars(digit_text.data(), digit_text.data() + digit_text.size(), value);
    return value;
}

// A real calendar day from 1930 on, written YYYYMMDD.
std::optional<int> calendar_date(std::string_view date) {
    if (date.size() != 8 || !digits(date)) return std::nullopt;
    const int year = number_of(date.substr(0, 4)), month = number_of(date.substr(4, 2));
    const int day = number_of(date.substr(6, 2));
    if (year < FIRST_YEAR || day < 1 || day > days_in_month(year, month)) return std::nullopt;
    return number_of(date);
}

// The minutes of the day of a time written H:MM, HH:MM, HH.MM or HHMM.
std::optional<int> minutes_of_day(std::string_view time) {
    std::string_view hour, minute;
    if (time.size() == 4 && digits(time)) {
        hour = time.substr(0, 2), minute = time.substr(2);
    } else if (time.size() == 4 && time[1] == ':') {
        hour = time.substr(0, 1), minute = time.substr(2);
    } else if (time.size() == 5 && (time[2] == ':' || time[2] == '.')) {
        hour = time.substr(0, 2), minute = time.substr(3);
    }
    if (hour.empty() || !digits(hour) || !digits(minute) || number_of(hour) > 23 || number_of(minute) > 59) {
        return std::nullopt;
    }
    return number_of(hour) * 60 + number_of(minute);
}

struct ModeChoice {
    std::string_view mode, submode;
};

std::optional<ModeChoice> adif_mode(std::string_view upper_mode) {
    constexpr std::pair<std::string_view, std::string_view> ALIASES[] = {
        {"PACKET", "PKT"}, {"AMTOR", "TOR"}, {"PACTOR", "PAC"}};
    static const auto by_value = [] {
        std::unordered_map<std::string_view, const ModeName*> table;
        for (const ModeName& name : MODES) table.try_emplace(name.value, &name);  // a mode before its submode
        return table;
    }();
    for (const auto& [alias, mode] : ALIASES) {
        if (upper_mode == alias) return ModeChoice{mode, {}};
    }
    const auto found = by_value.find(upper_mode);
    if (found == by_value.end()) return std::nullopt;
    const ModeName& name = *found->second;
    return name.mode.empty() ? ModeChoice{name.value, {}} : ModeChoice{name.mode, name.value};
}

const Band* band_named(std::string_view lower_band) {
    const auto found = std::find_if(BANDS.begin(), BANDS.end(), [&](const Band& b) { return b.name == lower_band; });
    return found == BANDS.end() ? nullptr : &*found;
}

const Band* band_at(double mhz) {
    const auto found = std::find_if(BANDS.begin(), BANDS.end(),
                                    [&](const Band& b) { return b.lower_mhz <= mhz && mhz <= b.upper_mhz; });
    return found == BANDS.end() ? nullptr : &*found;
}

// A positive number of digits with at most one decimal point or comma, in MHz: read as MHz
// first, as kHz only when MHz fits no band.
std::optional<double> frequency_mhz(std::string_view text) {
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    const std::size_t point = number.find('.');
    const std::string_view whole(number), before = whole.substr(0, point);
    const std::string_view after = point == std::string::npos ? std::string_view() : whole.substr(point + 1);
    double value = 0;
    if (!digits(before) || !digits(after) || before.size() + after.size() == 0 ||
        std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc() || !(value > 0)) {
        return std::nullopt;
    }
    return band_at(value) == nullptr && band_at(value / 1000) != nullptr ? value / 1000 : value;
}

// Digits of a number, at least width of them.
void append_number(std::string& out, long long number, int width = 1) {
    char text[24];
    const auto length = static_cast<int>(std::to_chars(text, text + sizeof text, number).ptr - text);
    out.append(static_cast<std::size_t>(std::max(0, width - length)), '0').append(text, static_cast<std::size_t>(length));
}

// MHz to the Hz, without trailing zeros.
std::string mhz_text(double mhz) {
    const auto hertz = static_cast<long long>(mhz * 1e6 + 0.5);
    std::string text;
    append_number(text, hertz / 1000000);
    if (hertz % 1000000 == 0) return text;
    text += '.';
    append_number(text, hertz % 1000000, 6);
    text.erase(text.find_last_not_of('0') + 1);
    return text;
}

// A Maidenhead locator of four or six characters, written AA00aa.
std::string locator(std::string_view code) {
    const auto within = [&](std::size_t i, char low, char high) {
        const char c = cased(code.substr(i, 1), true)[0];
        return c >= low && c <= high;
    };
    if ((code.size() != 4 && code.size() != 6) || !within(0, 'A', 'R') || !within(1, 'A', 'R') || !digits(code.substr(2, 2)) ||
        (code.size() == 6 && (!within(4, 'A', 'X') || !within(5, 'A', 'X')))) {
        return {};
    }
    return cased(code.substr(0, 2), true) + std::string(code.substr(2, 2)) + cased(code.substr(4), false);
}

class RecordWriter {
public:
    RecordWriter(std::string& out, CodePage code_page, RecordTally& tally)
        : out_(out), code_page_(code_page), tally_(tally) {}

    // Nothing for an empty text: no reader is told of a value the log does not hold.
    RecordWriter& field(std::string_view name, std::string_view value) {
        if (!value.empty()) append_field(out_, name, ascii(value)).push_back(' ');
        return *this;
    }

    // The log's text that no ADIF field or value takes, under the name of the log's field.
    RecordWriter& app(std::string_view log_name, std::string_view value) {
        if (value.empty()) return *this;
        tally_.app_field = true;
        return field(app_name_.assign(APP_PREFIX).append(log_name), value);
    }

private:
    std::string_view ascii(std::string_view value) {
        if (std::all_of(value.begin(), value.end(), [](char c) { return c >= ' ' && c <= '~'; })) return value;
        tally_.respelled = true;
        spelled_.clear();
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80) {
                spelled_ += HIGH_BYTES[byte - 0x80u][code_page_];
            } else {
                spelled_ += c >= ' ' && c <= '~' ? c : '?';  // a control byte is no letter
            }
        }
        return spelled_;
    }

    std::string& out_;
    CodePage code_page_;
    RecordTally& tally_;
    std::string spelled_, app_name_;  // kept from field to field: no allocation for each
};

// Y for B, D or S, N for N or a blank; how the card went for B and D; any other byte is N,
// and kept.
void qsl(RecordWriter& line, std::string_view adif, std::string_view via, std::string_view log_name,
         std::string_view flag) {
    const bool by_card = flag == "B" || flag == "D";
    line.field(adif, by_card || flag == "S" ? "Y" : "N").field(via, by_card ? flag : "");
    line.app(log_name, by_card || flag.empty() || flag == "N" ? "" : flag);
}

std::string why(std::string_view what, std::string_view value) {
    return std::string(what).append(" [").append(value).append("]");
}

}  // namespace

CodePage code_page_of(std::uint8_t language) {
    if (language == 0x02) return CP850;
    return language == 0x03 || language == 0x57 ? CP1252 : CP437;
}

std::vector<UnreadField> unread_fields(const std::vector<FieldDescriptor>& fields) {
    std::vector<UnreadField> unread;
    for (const FieldDescriptor& f : fields) {
        const auto overlaps = [&](FieldSpan read) { return f.offset < read.offset + read.width && read.offset < f.offset + f.width; };
        if (f.width == 0 || std::any_of(std::begin(READ), std::end(READ), overlaps)) continue;
        // ADIF's names take no blank, comma, colon, angle bracket or brace: plain letters, digits, '_'.
        std::string name = cased(f.name, true);
        for (char& c : name) {
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) c = '_';
        }
        unread.push_back({name.empty() ? "_" : name, {f.offset, f.width}});
    }
    return unread;
}

std::string& append_field(std::string& out, std::string_view name, std::string_view ascii_value) {
    char length[24];
    const std::string_view digits(length, static_cast<std::size_t>(
                                              std::to_chars(length, length + sizeof length, ascii_value.size()).ptr - length));
    // Grown once: a record is some twenty fields, a log a million records.
    const std::size_t at = out.size();
    out.resize(at + name.size() + digits.size() + ascii_value.size() + 3);
    char* end = out.data() + at;
    *end++ = '<';
    end = std::copy(name.begin(), name.end(), end);
    *end++ = ':';
    end = std::copy(digits.begin(), digits.end(), end);
    *end++ = '>';
    std::copy(ascii_value.begin(), ascii_value.end(), end);
    return out;
}

std::string append_adif_record(std::string_view record, const CountryTable& countries, const AdifLog& log,
                               RecordTally& tally, std::string& out) {
    const std::string_view date_text = copy_field(field(record, DATE)), time_text = text(record, TIME_INI);
    const std::string_view call = text(record, CALL), band_text = text(record, BAND), frequency_text = text(record, FREQUENCY);
    const std::optional<int> date = calendar_date(date_text);
    if (!date) return why("invalid date", date_text);
    const std::optional<int> minutes = minutes_of_day(time_text);
    if (!minutes) return why("invalid time", time_text);
    if (call.empty()) return "empty CALL field";
    const std::string_view mode_text = text(record, MODE), country_text = text(record, COUNTRY);
    const std::string_view code2 = text(record, CODE2), code6 = text(record, CODE6);
    const std::optional<ModeChoice> mode = adif_mode(cased(mode_text, true));
    if (!mode) return why("unknown mode", mode_text);
    const Band* named = band_named(cased(band_text, false));
    const std::optional<double> mhz = frequency_mhz(frequency_text);
    const Band* band = named != nullptr ? named : mhz ? band_at(*mhz) : nullptr;
    // A frequency that disagrees with the band the log names is kept, not written.
    const bool frequency_fits = mhz && (named == nullptr || band_at(*mhz) == named);
    if (band == nullptr && !frequency_fits) return why("unknown band", band_text);

    // The contact's time in UTC, the day moved where the offset crosses midnight.
    const long long utc = days_from_civil(*date / 10000, *date / 100 % 100, *date % 100) * MINUTES_A_DAY + *minutes -
                          log.utc_offset_minutes;
    const long long day = (utc >= 0 ? utc : utc - MINUTES_A_DAY + 1) / MINUTES_A_DAY;
    const int utc_date = static_cast<int>(date_from_days(day)), utc_minutes = static_cast<int>(utc - day * MINUTES_A_DAY);
    std::string date_on, time_on, code;
    append_number(date_on, utc_date, 8);
    append_number(time_on, utc_minutes / 60 * 100 + utc_minutes % 60, 4);
    const std::string_view country = country_key(record);
    const Entity* entity = country.empty() ? nullptr : dxcc_by_date(country, find_country(countries, country), utc_date);
    append_number(code, entity != nullptr ? entity->code : 0);
    const std::string continent = cased(code2, true), grid = locator(code6);
    const bool is_continent = std::find(std::begin(CONTINENTS), std::end(CONTINENTS), continent) != std::end(CONTINENTS);

    tally = {};
    RecordWriter line(out, log.code_page, tally);
    // The mapping: each row an ADIF field, what it takes from the log, and what it keeps.
    line.field("CALL", call);
    line.field("QSO_DATE", date_on);
    line.field("TIME_ON", time_on);
    line.field("BAND", band != nullptr ? band->name : "").app("BAND", named != nullptr ? "" : band_text);
    line.field("FREQ", frequency_fits ? mhz_text(*mhz) : "").app("FREQ", frequency_fits ? "" : frequency_text);
    line.field("MODE", mode->mode).field("SUBMODE", mode->submode);
    line.field("RST_SENT", text(record, REPORT_SENT));
    line.field("RST_RCVD", text(record, REPORT_RECEIVED));
    line.field("NAME", text(record, NAME));
    line.field("QTH", text(record, PLACE));
    qsl(line, "QSL_SENT", "QSL_SENT_VIA", "QSL_SENT", text(record, QSL_SENT));
    qsl(line, "QSL_RCVD", "QSL_RCVD_VIA", "QSL_RCVD", text(record, QSL_RECEIVED));
    line.field("QSL_VIA", text(record, MANAGER));
    line.field("COUNTRY", entity != nullptr ? entity->name : country_text).field("DXCC", entity != nullptr ? code : "");
    line.field("CONT", is_continent ? continent : "").app("CODE2", is_continent ? "" : code2);
    line.field("GRIDSQUARE", grid).app("CODE6", grid.empty() ? code6 : "");
    line.field("STATION_CALLSIGN", log.station_callsign);
    for (const UnreadField& unread : log.unread) line.app(unread.name, text(record, unread.span));
    out.append("<EOR>").append(LINE_END);
    tally.country_without_dxcc = entity == nullptr && !country_text.empty();
    return {};
}

}  // namespace t2c::adif

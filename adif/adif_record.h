// One contact of the log as one ADIF record: the ADIF checks, the mapping of the log's fields
// to ADIF's, and the record's text in ASCII.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "adif/tables.h"
#include "convert/convert_record.h"
#include "country/country_table.h"
#include "dbf/field_descriptors.h"
#include "dbf/record_layout.h"
#include "dxcc/dxcc_by_date.h"

namespace t2c::adif {

constexpr std::string_view APP_PREFIX = "APP_TARNWICK2ADIF_";
constexpr std::string_view LINE_END = "\r\n";  // the same bytes on every system

// A field of the log's header that no row of the mapping reads by its place: kept in an
// application field, unless it stands exactly where the layout has a field with an ADIF field.
struct UnreadField {
    std::string name;  // the header's name, made a valid ADIF field name
    FieldSpan span;
    const LogField* as = nullptr;  // that field of the layout
};

// What holds for every contact of one run.
struct AdifLog {
    CodePage code_page = CP437;
    std::vector<UnreadField> unread = {};
    std::string station_callsign = "";  // none when empty
    int utc_offset_minutes = 0;         // what is added to UTC to give the log's times
};

// What a written contact held, for the summary, and its entity, whose buffers the next contact
// reuses.
struct AdifNotes {
    bool app_field = false;
    bool respelled = false;
    bool country_without_dxcc = false;
    EntityChoice entity = {};
};

// The code page of the texts by the header's language byte: 850 for 0x02, 1252 for 0x03 and
// 0x57, else the DOS default 437.
CodePage code_page_of(std::uint8_t language);

// The header's fields whose bytes no row of the mapping reads by its place.
std::vector<UnreadField> unread_fields(const std::vector<FieldDescriptor>& fields);

// Appends one field, <NAME:LENGTH> and its value; the value is ASCII, so that its length in
// bytes is its length in characters.
std::string& append_field(std::string& out, std::string_view name, std::string_view ascii_value);

// record is a record check_record accepted. Appends its ADIF record, a line ending in <EOR>, to
// out, with what it held in notes; or leaves out as it was and rejects it with why ADIF cannot
// take it, as a record's report says it ("invalid date [19950230]").
ConvertResult append_adif_record(std::string_view record, const CountryTable& countries, const AdifLog& log,
                                 AdifNotes& notes, std::string& out);

}  // namespace t2c::adif

#include "check/layout_check.h"

#include <algorithm>
#include <array>

#include "check/shown_bytes.h"
#include "dbf/record_layout.h"

namespace t2c {

namespace {

// A field the conversion reads, in the words the check tells it by.
struct ReadField {
    const char* what;
    FieldSpan span;
    char type;
};

constexpr std::array<ReadField, 16> READ_FIELDS = {{
    {"date", DATE, 'D'}, {"start time", TIME_INI, 'C'}, {"band", BAND, 'C'}, {"frequency", FREQUENCY, 'C'},
    {"mode", MODE, 'C'}, {"callsign", CALL, 'C'}, {"report sent", REPORT_SENT, 'C'},
    {"report received", REPORT_RECEIVED, 'C'}, {"name", NAME, 'C'}, {"place", PLACE, 'C'},
    {"QSL sent flag", QSL_SENT, 'C'}, {"QSL received flag", QSL_RECEIVED, 'C'}, {"QSL manager", MANAGER, 'C'},
    {"country", COUNTRY, 'C'}, {"two-character code", CODE2, 'C'}, {"six-character code", CODE6, 'C'},
}};

std::string characters(std::size_t width, char type) {
    return std::to_string(width) + (width == 1 ? " character" : " characters") + " of type " + shown_bytes({&type, 1});
}

// What the log keeps at offset: the field that starts there, a part of one that starts before,
// or nothing, past its last field.
std::string found_at(const std::vector<FieldDescriptor>& fields, std::size_t offset) {
    for (const FieldDescriptor& field : fields) {
        if (offset < field.offset || offset - field.offset >= field.width) continue;
        const std::string described = shown_bytes(field.name) + ", " + characters(field.width, field.type);
        if (field.offset == offset) return "this log has there " + described;
        return "this log has there a part of " + described + " from offset " + std::to_string(field.offset);
    }
    return "this log has no field there";
}

}  // namespace

std::vector<LayoutDifference> layout_differences(std::size_t record_length,
                                                const std::vector<FieldDescriptor>& fields) {
    std::vector<LayoutDifference> lines;
    if (record_length < FIELDS_END) {
        lines.push_back({"record length: " + std::to_string(record_length) + (record_length == 1 ? " byte" : " bytes") +
                        ", fewer than the " + std::to_string(FIELDS_END) + " the converter reads", true});
    }
    for (const ReadField& read : READ_FIELDS) {
        const auto in_place = [&](const FieldDescriptor& field) {
            return field.offset == read.span.offset && field.width == read.span.width;
        };
        const auto at = std::find_if(fields.begin(), fields.end(), in_place);
        if (at != fields.end() && at->type == read.type) continue;
        lines.push_back({std::string("the converter reads the ") + read.what + " from offset " +
                             std::to_string(read.span.offset) + ", " + characters(read.span.width, read.type) + "; " +
                             found_at(fields, read.span.offset),
                         at == fields.end()});
    }
    return lines;
}

}  // namespace t2c

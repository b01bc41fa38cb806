#include "check/layout_check.h"

#include <algorithm>

#include "check/shown_bytes.h"
#include "dbf/record_layout.h"

namespace t2c {

namespace {

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
    for (const LogField& read : LOG_FIELDS) {
        if (read.take == Take::unread) continue;
        const auto in_place = [&](const FieldDescriptor& field) {
            return field.offset == read.offset && field.width == read.width;
        };
        const auto at = std::find_if(fields.begin(), fields.end(), in_place);
        if (at != fields.end() && at->type == read.type) continue;
        lines.push_back({"the converter reads the " + std::string(read.what) + " from offset " +
                             std::to_string(read.offset) + ", " + characters(read.width, read.type) + "; " +
                             found_at(fields, read.offset),
                         at == fields.end()});
    }
    return lines;
}

}  // namespace t2c

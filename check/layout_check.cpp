#include "check/layout_check.h"

#include <array>

#include "check/shown_bytes.h"
#include "dbf/record_layout.h"

namespace t2c {

namespace {

std::string characters(std::size_t width) {
    return std::to_string(width) + (width == 1 ? " character" : " characters");
}

std::string offset_of(const LogField& field) { return std::to_string(log_field_span(field.name).offset); }

// The differences of a log field from the layout's field of its name.
void compare(const FieldDescriptor& field, const LogField& expected, std::vector<std::string>& lines) {
    const std::string name = shown_bytes(field.name);
    if (field.type != expected.type) {
        lines.push_back(name + ": type " + shown_bytes({&field.type, 1}) + ", the Tarnwick layout has " +
                        expected.type);
    }
    if (field.width != expected.width) {
        lines.push_back(name + ": " + characters(field.width) + ", the Tarnwick layout has " +
                        std::to_string(expected.width));
    }
    if (field.offset != log_field_span(expected.name).offset) {
        lines.push_back(name + ": at offset " + std::to_string(field.offset) + ", the Tarnwick layout has " +
                        offset_of(expected));
    }
}

}  // namespace

std::vector<std::string> layout_differences(std::size_t record_length, const std::vector<FieldDescriptor>& fields) {
    std::vector<std::string> lines;
    if (record_length != FIELDS_END) {
        lines.push_back("record length: " + std::to_string(record_length) + (record_length == 1 ? " byte" : " bytes") +
                        ", the Tarnwick layout has " + std::to_string(FIELDS_END));
    }
    std::array<bool, LOG_FIELDS.size()> matched{};
    for (const FieldDescriptor& field : fields) {
        std::size_t i = 0;
        while (i < LOG_FIELDS.size() && (matched[i] || LOG_FIELDS[i].name != field.name)) ++i;
        if (i < LOG_FIELDS.size()) {
            matched[i] = true;
            compare(field, LOG_FIELDS[i], lines);
        } else {
            lines.push_back(shown_bytes(field.name) + ": not in the Tarnwick layout (type " +
                            shown_bytes({&field.type, 1}) + ", at offset " + std::to_string(field.offset) + ", " +
                            characters(field.width) + ")");
        }
    }
    for (std::size_t i = 0; i < LOG_FIELDS.size(); ++i) {
        if (matched[i]) continue;
        lines.push_back(std::string(LOG_FIELDS[i].name) + ": missing, the Tarnwick layout has it at offset " +
                        offset_of(LOG_FIELDS[i]) + ", " + characters(LOG_FIELDS[i].width));
    }
    return lines;
}

}  // namespace t2c

#include "dbf/field_descriptors.h"

namespace t2c {

namespace {

constexpr std::size_t NAME_WIDTH = 11;
constexpr std::size_t TYPE_OFFSET = 11;
constexpr std::size_t WIDTH_OFFSET = 16;
constexpr char DESCRIPTORS_END = 0x0D;

}  // namespace

std::vector<FieldDescriptor> read_field_descriptors(std::string_view bytes) {
    std::vector<FieldDescriptor> fields;
    std::size_t offset = 1;
    for (std::size_t at = 0; bytes.size() - at >= DESCRIPTOR_SIZE && bytes[at] != DESCRIPTORS_END;
         at += DESCRIPTOR_SIZE) {
        const std::string_view descriptor = bytes.substr(at, DESCRIPTOR_SIZE);
        const std::string_view name = descriptor.substr(0, NAME_WIDTH);
        const std::size_t width = static_cast<unsigned char>(descriptor[WIDTH_OFFSET]);
        fields.push_back({std::string(name.substr(0, name.find('\0'))), descriptor[TYPE_OFFSET], width, offset});
        offset += width;
    }
    return fields;
}

}  // namespace t2c

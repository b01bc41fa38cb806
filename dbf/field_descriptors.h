// The field descriptors of a dBASE III header: what the file says its records hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace t2c {

constexpr std::size_t DESCRIPTOR_SIZE = 32;

struct FieldDescriptor {
    std::string name;  // any bytes
    char type;
    std::size_t width;
    std::size_t offset;  // in the record, the deletion flag at 0
};

// Decodes the descriptors in bytes, the header after its first 32 bytes, as far as the file
// holds it: one every 32 bytes, its name the first 11 bytes up to a zero byte, its type byte
// 11, its width byte 16. Ends at a 0x0D where a descriptor would start, or where fewer than 32
// bytes are left. Each field's offset is 1 plus the widths of the fields before it.
std::vector<FieldDescriptor> read_field_descriptors(std::string_view bytes);

}  // namespace t2c

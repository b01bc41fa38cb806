// The numbers of a dBASE III file header that the programs need.
#pragma once

#include <cstddef>
#include <cstdint>

namespace t2c {

constexpr std::size_t HEADER_SIZE = 32;

struct DbfHeader {
    std::uint16_t header_length = 0;  // offset of the first record
    std::uint16_t record_length = 0;  // including the deletion flag
    std::uint32_t record_count = 0;   // only the check reads it, to tell a cut-short log
    std::uint8_t language = 0;        // the code page of the texts, by the driver's number
};

// Decodes the first HEADER_SIZE bytes of a file. The conversion ignores the record count on
// purpose: its record stream ends at the first incomplete record.
DbfHeader read_header(const unsigned char* bytes);

}  // namespace t2c

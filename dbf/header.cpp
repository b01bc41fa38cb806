#include "dbf/header.h"

namespace t2c {

namespace {

constexpr std::size_t RECORD_COUNT_OFFSET = 4;
constexpr std::size_t HEADER_LENGTH_OFFSET = 8;
constexpr std::size_t RECORD_LENGTH_OFFSET = 10;
constexpr std::size_t LANGUAGE_OFFSET = 29;

std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

DbfHeader read_header(const unsigned char* bytes) {
    const unsigned char* count = bytes + RECORD_COUNT_OFFSET;
    return {le16(bytes + HEADER_LENGTH_OFFSET), le16(bytes + RECORD_LENGTH_OFFSET),
            static_cast<std::uint32_t>(le16(count) | static_cast<std::uint32_t>(le16(count + 2)) << 16U),
            bytes[LANGUAGE_OFFSET]};
}

}  // namespace t2c

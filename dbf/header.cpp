#include "dbf/header.h"

namespace t2c {

namespace {

constexpr std::size_t HEADER_LENGTH_OFFSET = 8;
constexpr std::size_t RECORD_LENGTH_OFFSET = 10;
constexpr std::size_t LANGUAGE_OFFSET = 29;

std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

DbfHeader read_header(const unsigned char* bytes) {
    return {le16(bytes + HEADER_LENGTH_OFFSET), le16(bytes + RECORD_LENGTH_OFFSET), bytes[LANGUAGE_OFFSET]};
}

}  // namespace t2c

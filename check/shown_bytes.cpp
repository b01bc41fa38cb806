#include "check/shown_bytes.h"

namespace t2c {

namespace {

char hex_digit(unsigned value) { return static_cast<char>(value < 10 ? '0' + value : 'A' + (value - 10)); }

}  // namespace

std::string shown_bytes(std::string_view bytes) {
    std::string shown;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (is_control_byte(c)) {
            shown += {'\\', 'x', hex_digit(byte >> 4U), hex_digit(byte & 0xFU)};
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string quoted_bytes(std::string_view bytes) {
    std::string quoted(1, '\'');
    quoted += shown_bytes(bytes);
    quoted += '\'';
    return quoted;
}

}  // namespace t2c

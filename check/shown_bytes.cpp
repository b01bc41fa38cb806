#include "check/shown_bytes.h"

namespace t2c {

std::string shown_bytes(std::string_view bytes) {
    constexpr std::string_view HEX_DIGITS = "0123456789ABCDEF";
    std::string shown;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (is_control_byte(c)) {
            shown += {'\\', 'x', HEX_DIGITS[byte >> 4U], HEX_DIGITS[byte & 0xFU]};
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace t2c

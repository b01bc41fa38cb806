// Log bytes made safe to print: control bytes written out as escapes.
#pragma once

#include <string>
#include <string_view>

namespace t2c {

// Bytes below 0x20 and 0x7F, which a terminal would act on rather than show.
constexpr bool is_control_byte(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The bytes with every control byte written as \xNN, upper-case hex; every other byte,
// bytes from 0x80 up too, as it is.
std::string shown_bytes(std::string_view bytes);

// The bytes shown so, between single quotes.
std::string quoted_bytes(std::string_view bytes);

}  // namespace t2c

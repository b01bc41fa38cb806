// Turns space-padded, fixed-width character fields into terminated strings and small numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace t2c {

// Copies source up to its first zero byte into destination and zero-fills the rest of
// source.size() bytes. destination must hold source.size() + 1 bytes and be zero beforehand,
// so the copy is always terminated.
void copy_field(char* destination, std::string_view source);

// Ends the text at the first c; the text is unchanged when c does not occur.
void cut_at(char* text, char c);

// Ends the text at the first c that is followed by another c or by the end; a single c
// between two other characters stays.
void cut_at_double(char* text, char c);

// Reads a number from a text of at most two characters the way a formatted decimal input of
// width 2 does: leading white space skipped, an optional sign, digits. Nothing when no digit
// was read.
std::optional<int> read_two_digit(std::string_view text);

}  // namespace t2c

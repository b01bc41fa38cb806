// Turns the blank-padded, fixed-width character fields of a log record, and the lines of
// dxcc.txt, into plain texts and small numbers. Each takes a field's bytes and gives a view
// into them or a number, or a copy in one case of letters: nothing is read beyond the bytes
// given. The short ones are inline: they are called some twenty times for every record of a log.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace t2c {

// ASCII's digits and letters by their codes alone: a log's single-byte text is no locale's.
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
constexpr char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A copy of the text with its ASCII letters in upper or in lower case, every other byte as it is.
inline std::string upper_case(std::string_view text) {
    std::string copy(text);
    std::transform(copy.begin(), copy.end(), copy.begin(), ascii_upper);
    return copy;
}

inline std::string lower_case(std::string_view text) {
    std::string copy(text);
    std::transform(copy.begin(), copy.end(), copy.begin(), ascii_lower);
    return copy;
}

// Whether every character of the text is a digit; true for an empty text.
inline bool all_digits(std::string_view text) { return std::all_of(text.begin(), text.end(), is_digit); }

// The text up to its first c; the whole text when c does not occur.
inline std::string_view cut_at(std::string_view text, char c) {
    return text.substr(0, static_cast<std::size_t>(std::find(text.begin(), text.end(), c) - text.begin()));
}

// The text without the blanks that pad it at its end.
inline std::string_view trim_end(std::string_view text) {
    while (text.ends_with(' ')) text.remove_suffix(1);
    return text;
}

// The text without blanks at either end.
inline std::string_view trim(std::string_view text) {
    text = trim_end(text);
    while (text.starts_with(' ')) text.remove_prefix(1);
    return text;
}

// The text up to its first c that is followed by another c or by the end; a single c between
// two other characters stays.
std::string_view cut_at_double(std::string_view text, char c);

// The number that a text of at most nine ASCII digits writes.
constexpr int digits_value(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

// A number read from a text of at most two characters the way a formatted decimal input of
// width 2 does: leading white space skipped, an optional sign, digits. Nothing when no digit
// was read.
std::optional<int> read_two_digit(std::string_view text);

}  // namespace t2c

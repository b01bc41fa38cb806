#include "text/field.h"

namespace t2c {

std::string_view cut_at_double(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == c && (i + 1 == text.size() || text[i + 1] == c)) return text.substr(0, i);
    }
    return text;
}

namespace {

// The C locale's white space, without consulting any locale.
bool is_white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::optional<int> read_two_digit(std::string_view text) {
    // Two digits, as nearly every date and time of a log has them.
    if (text.size() == 2 && is_digit(text[0]) && is_digit(text[1])) return (text[0] - '0') * 10 + (text[1] - '0');
    std::size_t i = 0;
    while (i < text.size() && is_white(text[i])) ++i;
    // The width of two counts from the first character after the white space.
    const std::string_view number = text.substr(i, 2);
    std::size_t j = number.starts_with('+') || number.starts_with('-') ? 1 : 0;
    if (j == number.size() || !is_digit(number[j])) return std::nullopt;
    int value = 0;
    for (; j < number.size() && is_digit(number[j]); ++j) value = value * 10 + (number[j] - '0');
    return number[0] == '-' ? -value : value;
}

}  // namespace t2c

#include "text/field.h"

namespace t2c {

void copy_field(char* destination, std::string_view source) {
    std::size_t i = 0;
    for (; i < source.size() && source[i] != '\0'; ++i) destination[i] = source[i];
    for (; i < source.size(); ++i) destination[i] = '\0';
}

void cut_at(char* text, char c) {
    while (*text != '\0' && *text != c) ++text;
    *text = '\0';
}

void cut_at_double(char* text, char c) {
    for (; *text != '\0'; ++text) {
        if (*text == c && (text[1] == c || text[1] == '\0')) {
            *text = '\0';
            return;
        }
    }
}

namespace {

// The C locale's white space, without consulting any locale.
bool is_white(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int> read_two_digit(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] != '\0' && is_white(text[i])) ++i;
    // The width of two counts from the first character after the white space.
    std::string_view rest = text.substr(i, 2);
    if (auto zero = rest.find('\0'); zero != std::string_view::npos) rest = rest.substr(0, zero);

    std::size_t j = 0;
    bool negative = false;
    if (j < rest.size() && (rest[j] == '+' || rest[j] == '-')) {
        negative = rest[j] == '-';
        ++j;
    }
    if (j == rest.size() || !is_digit(rest[j])) return std::nullopt;
    int value = 0;
    for (; j < rest.size() && is_digit(rest[j]); ++j) value = value * 10 + (rest[j] - '0');
    return negative ? -value : value;
}

}  // namespace t2c

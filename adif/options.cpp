#include "adif/options.h"

#include <algorithm>

#include "text/field.h"

namespace t2c::adif {

namespace {

constexpr int MOST_OFFSET_HOURS = 14;  // the earth's time zones reach from UTC-12 to UTC+14
constexpr std::size_t FRACTION_DIGITS = 9;  // those after them move no offset by a minute

}  // namespace

std::optional<int> read_utc_offset(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "0" : text.substr(point + 1);
    if (whole.empty() || fraction.empty() || !all_digits(whole) || !all_digits(fraction)) return std::nullopt;
    const std::string_view significant = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
    const int hours = significant.size() > 2 ? MOST_OFFSET_HOURS + 1 : digits_value(significant);
    const bool whole_hours = fraction.find_first_not_of('0') == std::string_view::npos;
    if (hours > MOST_OFFSET_HOURS || (hours == MOST_OFFSET_HOURS && !whole_hours)) return std::nullopt;
    const std::string_view counted = fraction.substr(0, FRACTION_DIGITS);
    long long numerator = 0, denominator = 1;
    for (const char c : counted) numerator = numerator * 10 + (c - '0'), denominator *= 10;
    const int minutes = hours * 60 + static_cast<int>((numerator * 60 * 2 + denominator) / (denominator * 2));
    return negative ? -minutes : minutes;
}

std::optional<Arguments> read_arguments(int argc, const char* const* argv) {
    Arguments arguments{};
    int at = 1;
    for (; at + 1 < argc && std::string_view(argv[at]).starts_with("--"); at += 2) {
        const std::string_view option = argv[at], value = argv[at + 1];
        const std::optional<int> offset = option == "--utc-offset" ? read_utc_offset(value) : std::nullopt;
        if (option == "--station-callsign" && !value.empty()) {
            arguments.log.station_callsign = value;
        } else if (offset) {
            arguments.log.utc_offset_minutes = *offset;
        } else {
            return std::nullopt;
        }
    }
    if (argc - at != 2) return std::nullopt;
    arguments.log_path = argv[at];
    arguments.output_path = argv[at + 1];
    return arguments;
}

}  // namespace t2c::adif

// Where the fields of one contact record stand, counted from the deletion flag at byte 0.
#pragma once

#include <cstddef>
#include <string_view>

namespace t2c {

struct FieldSpan {
    std::size_t offset;
    std::size_t width;
};

constexpr FieldSpan DELETION_FLAG{0, 1};
constexpr FieldSpan DATE_YEAR{1, 4};
constexpr FieldSpan DATE_MONTH{5, 2};
constexpr FieldSpan DATE_DAY{7, 2};
constexpr FieldSpan TIME_INI{9, 5};
constexpr FieldSpan BAND{19, 4};
constexpr FieldSpan FREQUENCY{23, 8};
constexpr FieldSpan MODE{31, 6};
constexpr FieldSpan CALL{37, 15};
constexpr FieldSpan REPORT_SENT{52, 3};
constexpr FieldSpan REPORT_RECEIVED{55, 3};
constexpr FieldSpan NAME{58, 15};
constexpr FieldSpan PLACE{73, 20};
constexpr FieldSpan QSL_SENT{114, 1};
constexpr FieldSpan QSL_RECEIVED{115, 1};
constexpr FieldSpan MANAGER{126, 12};
constexpr FieldSpan COUNTRY{140, 40};
constexpr FieldSpan CODE2{180, 2};
constexpr FieldSpan CODE6{203, 6};

// Every field read lies below this byte; shorter records are read as if zero-padded to it.
constexpr std::size_t FIELDS_END = 209;

// A record handed to the conversion holds at least FIELDS_END bytes.
inline std::string_view field(std::string_view record, FieldSpan span) {
    return record.substr(span.offset, span.width);
}

}  // namespace t2c

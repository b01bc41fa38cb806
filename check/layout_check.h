// The log's field descriptors held against where the converter reads its fields.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dbf/field_descriptors.h"

namespace t2c {

struct LayoutDifference {
    std::string text;
    bool moved;  // a field read at another offset or width, or records too short: not the type alone
};

// One line per difference the conversion depends on, none when the converter would read every
// field where the log keeps it: first a record length below FIELDS_END, then, in record order,
// each field the converter reads that no field of the log matches by its offset, its width and
// its type (D for the date, C for the others). Names never count, and neither do the bytes the
// converter does not read; the field the log has in the place is named to help the reader, its
// control bytes escaped.
std::vector<LayoutDifference> layout_differences(std::size_t record_length,
                                                const std::vector<FieldDescriptor>& fields);

}  // namespace t2c

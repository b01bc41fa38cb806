// The log's field descriptors held against the Tarnwick logbook's layout.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dbf/field_descriptors.h"

namespace t2c {

// One line per difference, none when the log is laid out as the logbook lays it out: the
// header's record length first, then the log's fields in file order (a field matches the
// layout's field of the same name, the first not yet matched; its type, width and offset are
// compared in that order), then the layout's fields the log lacks, in layout order. Log bytes
// are shown with their control bytes escaped.
std::vector<std::string> layout_differences(std::size_t record_length, const std::vector<FieldDescriptor>& fields);

}  // namespace t2c

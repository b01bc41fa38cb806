// The ADIF writer's command line: its options, then the log and the output.
#pragma once

#include <optional>
#include <string_view>

#include "adif/adif_record.h"

namespace t2c::adif {

struct Arguments {
    AdifLog log;
    const char* log_path;
    const char* output_path;
};

// Hours written as an optional sign, digits, and optionally a point and digits (5, 05, -5.5,
// +1), from -14 to 14, in minutes rounded half away from zero; nothing for any other text.
std::optional<int> read_utc_offset(std::string_view text);

// The options, each with its value, then exactly the log and the output; nothing for anything
// else, which the usage answers.
std::optional<Arguments> read_arguments(int argc, const char* const* argv);

}  // namespace t2c::adif

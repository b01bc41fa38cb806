// A whole run of the converter inside this process, for the tests and the fuzz target that hold
// it to the model: the same run as the program's, with the number of worker threads chosen.
#pragma once

#include <filesystem>
#include <string_view>

#include "support/model.h"

namespace t2c::testing {

// Writes LOG.DBF and dxcc.txt into dir, then runs "tarnwick2corvane LOG.DBF OUT.ASC" there on
// up to workers threads; gives what it printed, reported and wrote.
model::Run run_in_process(const std::filesystem::path& dir, std::string_view dxcc, std::string_view log,
                          unsigned workers);

}  // namespace t2c::testing

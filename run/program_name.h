// The program's name as its usage shows it.
#pragma once

#include <string_view>

namespace t2c {

// The name as the process received it, from after its last backslash on: Windows hands a
// program its whole path.
inline std::string_view program_name(const char* path) {
    const std::string_view name = path != nullptr ? path : "";
    const std::size_t backslash = name.rfind('\\');
    return backslash == std::string_view::npos ? name : name.substr(backslash + 1);
}

}  // namespace t2c

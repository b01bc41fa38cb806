#include "run/files.h"

#include <filesystem>
#include <system_error>

namespace t2c {

bool same_file(const char* path, const char* other_path) {
    std::error_code unknown;  // either missing, or not to be asked: not the same
    return std::filesystem::equivalent(path, other_path, unknown);
}

}  // namespace t2c

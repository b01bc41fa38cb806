// Open files that close themselves, and the question whether two paths name one file.
#pragma once

#include <cstdio>
#include <memory>

namespace t2c {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Closes on destruction without a word; a file whose close matters is closed by hand and checked.
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

inline UniqueFile open_file(const char* path, const char* mode) {
    return UniqueFile(std::fopen(path, mode));
}

// Whether both paths exist and name the same file, whatever the spelling or links between
// them. This is the one place that differs from system to system.
bool same_file(const char* path, const char* other_path);

}  // namespace t2c

// What every fuzz target shares: its input laid out as a log and a dxcc.txt in a folder of the
// target's own, the files a run writes its standard output and error to, and the abort that
// tells libFuzzer of a broken promise.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "run/files.h"
#include "support/temp_dir.h"

namespace t2c::fuzz {

// The input: a two-byte little-endian length, that many bytes of dxcc.txt (fewer when the input
// ends first), then the log.
struct Input {
    std::string_view dxcc, log;
};

// Writes the input's LOG.DBF and dxcc.txt into the target's folder, made the current one, and
// removes what the last run wrote there.
inline Input write_input(const std::uint8_t* data, std::size_t size) {
    static const testing::TempDir work_dir;  // removed at exit
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t length = size < 2 ? 0 : std::min(static_cast<std::size_t>(data[0] | data[1] << 8), size - 2);
    const Input written{input.substr(size < 2 ? 0 : 2, length), input.substr(size < 2 ? 0 : 2 + length)};
    std::filesystem::current_path(work_dir.path());
    testing::write_file("LOG.DBF", written.log);
    testing::write_file("dxcc.txt", written.dxcc);
    std::filesystem::remove("OUT.ASC");
    std::filesystem::remove("OUT.ADI");
    return written;
}

// Runs a program's run function on the arguments, its standard output and error the files
// "stdout" and "stderr", closed before the run's files are read back.
template <typename Run>
int run(Run program, std::initializer_list<const char*> args) {
    std::vector<const char*> argv(args);
    argv.push_back(nullptr);  // as a real argv ends
    const UniqueFile out = open_file("stdout", "wb");
    const UniqueFile err = open_file("stderr", "wb");
    return program(static_cast<int>(args.size()), argv.data(), out.get(), err.get());
}

inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "the run breaks a promise: %s\n", what);
    std::abort();
}

inline std::int64_t count(std::string_view text, std::string_view what) {
    std::int64_t found = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++found;
    return found;
}

}  // namespace t2c::fuzz

#include "app/output_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/fatal.h"

namespace t2c {

OutputFile open_output(const char* path) {
    OutputFile output;
    output.path = path;
    std::error_code unknown;  // as if missing: the open below then says what is wrong
    // A link to nowhere counts as existing: it is the user's, and must not be removed.
    output.existed = std::filesystem::exists(std::filesystem::symlink_status(path, unknown));
    // Appending writes nothing and empties nothing, yet fails where writing would fail.
    output.file = open_file(path, output.existed ? "ab" : "wb");
    if (!output.file) fatal("fopen(): output file", EXIT_OUTPUT);
    return output;
}

void start_output(OutputFile& output) {
    output.started = true;
    if (!output.existed) return;
    // freopen closes the stream whatever comes of it.
    output.file.reset(std::freopen(output.path.c_str(), "wb", output.file.release()));
    if (!output.file) fatal("fopen(): output file", EXIT_OUTPUT);
}

void abandon_output(OutputFile& output) {
    if (output.started || !output.file) return;
    output.file.reset();
    if (!output.existed) std::remove(output.path.c_str());
}

}  // namespace t2c

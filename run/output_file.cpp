#include "run/output_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "run/fatal.h"

namespace t2c {

OutputFile::OutputFile(const char* path) : path_(path) {
    std::error_code unknown;  // as if missing: the open below then says what is wrong
    // A link to nowhere counts as existing: it is the user's, and must not be removed.
    existed_ = std::filesystem::exists(std::filesystem::symlink_status(path, unknown));
    // Appending writes nothing and empties nothing, yet fails where writing would fail.
    file_ = open_file(path, existed_ ? "ab" : "wb");
    if (!file_) fatal("fopen(): output file", EXIT_OUTPUT);
}

OutputFile::~OutputFile() {
    if (started_ || !file_) return;
    file_.reset();
    if (!existed_) std::remove(path_.c_str());
}

void OutputFile::start() {
    started_ = true;
    // freopen closes the stream whatever comes of it.
    if (existed_) file_.reset(std::freopen(path_.c_str(), "wb", file_.release()));
    if (!file_) fatal("fopen(): output file", EXIT_OUTPUT);
    // The run writes a whole chunk's output at a time; unbuffered, a failed write shows at once.
    std::setvbuf(file_.get(), nullptr, _IONBF, 0);
}

void OutputFile::write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) fatal("write(): output file", EXIT_OUTPUT);
}

void OutputFile::close() {
    if (std::fclose(file_.release()) != 0) fatal("write(): output file", EXIT_OUTPUT);
}

}  // namespace t2c

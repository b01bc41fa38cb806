#include "dbf/records.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace t2c {

namespace {

// Reads of about a MiB cost little per byte; a chunk holds at least one record however long.
constexpr std::size_t READ_SIZE = std::size_t{1} << 20;
constexpr std::size_t MOST_RECORDS_PER_READ = 4096;

int last_error() { return errno != 0 ? errno : EIO; }

}  // namespace

int read_records(std::FILE* file, const DbfHeader& header,
                 const std::function<void(std::string_view record)>& take_record,
                 const std::function<void()>& chunk_done) {
    const std::size_t length = header.record_length;
    if (length == 0) return 0;
    if (std::fseek(file, header.header_length, SEEK_SET) != 0) return last_error();
    std::vector<char> chunk(std::clamp(READ_SIZE / length, std::size_t{1}, MOST_RECORDS_PER_READ) * length);
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
        // Taken at once: handing the records on may make system calls of its own.
        const int error = std::ferror(file) != 0 ? last_error() : 0;
        for (std::size_t at = 0; got - at >= length; at += length) take_record({chunk.data() + at, length});
        chunk_done();
        if (got < chunk.size()) return error;
    }
}

}  // namespace t2c

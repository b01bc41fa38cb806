#include "dbf/records.h"

#include <algorithm>
#include <cerrno>

namespace t2c {

namespace {

// Reads of about a MiB cost little per byte; a chunk holds at least one record however long.
constexpr std::size_t READ_SIZE = std::size_t{1} << 20;
constexpr std::size_t MOST_RECORDS_PER_READ = 4096;

int last_error() { return errno != 0 ? errno : EIO; }

}  // namespace

RecordReader::RecordReader(std::FILE* file, const DbfHeader& header)
    : file_(file), length_(header.record_length), header_length_(header.header_length) {}

bool RecordReader::next(std::string_view& record) {
    if (chunk_done()) {
        if (last_ || length_ == 0) return false;
        if (chunk_.empty() && std::fseek(file_, header_length_, SEEK_SET) != 0) {
            error_ = last_error();
            last_ = true;
            return false;
        }
        chunk_.resize(std::clamp(READ_SIZE / length_, std::size_t{1}, MOST_RECORDS_PER_READ) * length_);
        got_ = std::fread(chunk_.data(), 1, chunk_.size(), file_);
        at_ = 0;
        if (std::ferror(file_) != 0) error_ = last_error();
        last_ = got_ < chunk_.size();
        if (chunk_done()) return false;
    }
    record = {chunk_.data() + at_, length_};
    at_ += length_;
    return true;
}

}  // namespace t2c

#include "dbf/record_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace t2c {

namespace {

// Reads of about this size cost little per byte; a chunk holds at least one record however long.
constexpr std::size_t READ_SIZE = std::size_t{1} << 20;

}  // namespace

RecordStream::RecordStream(std::FILE* file, std::size_t record_length, std::size_t max_records)
    : file_(file),
      record_length_(record_length),
      max_records_(record_length == 0 ? 0 : std::clamp(READ_SIZE / record_length, std::size_t{1}, max_records)),
      chunk_size_(max_records_ * record_length),
      buffer_(std::make_unique_for_overwrite<char[]>(chunk_size_)) {}

std::size_t RecordStream::read_chunk() {
    if (at_end_ || max_records_ == 0) return 0;
    const std::size_t got = std::fread(buffer_.get(), 1, chunk_size_, file_);
    if (got < chunk_size_) {
        at_end_ = true;
        if (std::ferror(file_) != 0) error_ = errno != 0 ? errno : EIO;
    }
    // A record cut short by the end of the file is no record.
    return got / record_length_;
}

std::string_view RecordStream::read_record(std::size_t i) {
    const char* record = buffer_.get() + i * record_length_;
    if (record_length_ >= FIELDS_END) return std::string_view(record, record_length_);
    std::memcpy(padded_.data(), record, record_length_);
    return std::string_view(padded_.data(), padded_.size());
}

}  // namespace t2c

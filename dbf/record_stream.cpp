#include "dbf/record_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace t2c {

namespace {

constexpr std::size_t READ_SIZE = std::size_t{1} << 20;

}  // namespace

RecordStream::RecordStream(std::FILE* file, std::size_t record_length)
    : file_(file),
      record_length_(record_length),
      buffer_(std::max(READ_SIZE, 2 * record_length)) {}

bool RecordStream::fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    while (!at_end_ && end_ < buffer_.size()) {
        const std::size_t wanted = buffer_.size() - end_;
        const std::size_t got = std::fread(buffer_.data() + end_, 1, wanted, file_);
        end_ += got;
        if (got < wanted) {
            at_end_ = true;
            if (std::ferror(file_) != 0) error_ = errno != 0 ? errno : EIO;
        }
    }
    return end_ - begin_ >= record_length_;
}

std::optional<std::string_view> RecordStream::read_record() {
    if (record_length_ == 0 || error_ != 0) return std::nullopt;
    if (end_ - begin_ < record_length_ && !fill()) return std::nullopt;

    const char* record = buffer_.data() + begin_;
    begin_ += record_length_;
    if (record_length_ >= FIELDS_END) return std::string_view(record, record_length_);
    std::memcpy(padded_.data(), record, record_length_);
    return std::string_view(padded_.data(), padded_.size());
}

}  // namespace t2c

// Delivers the whole fixed-length records of an open dBASE file, in large reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "dbf/record_layout.h"

namespace t2c {

class RecordStream {
public:
    // The file is positioned at the first record; record_length may be anything from 0 up.
    RecordStream(std::FILE* file, std::size_t record_length);

    // The next whole record: all its bytes, and at least FIELDS_END of them, those beyond the
    // record length zero. Nothing once no whole record remains (a record length of 0 never
    // yields one) or the file cannot be read; the view lasts until the next call.
    std::optional<std::string_view> read_record();

    // Whether the stream ended on a read error rather than at the end of the file.
    bool failed() const { return error_ != 0; }
    int error() const { return error_; }  // the errno of the failed read

private:
    bool fill();

    std::FILE* file_;
    std::size_t record_length_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
    int error_ = 0;
    // Short records are copied here, so that the fields beyond them read as zero bytes.
    std::array<char, FIELDS_END> padded_{};
};

}  // namespace t2c

// Reads the records of a dBASE file, whole, in large reads.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

#include "dbf/header.h"

namespace t2c {

// Hands out every whole record of the file, from the header's end on, in file order; a part of
// a record at the end of the file, such as the end-of-file byte, is no record, and a record
// length of 0 gives none. The records are read a chunk at a time.
class RecordReader {
public:
    // Reads from the header's end on, whatever was read of the file before; the first call of
    // next seeks there, and a failed seek shows in error().
    RecordReader(std::FILE* file, const DbfHeader& header);

    // Whether every record read so far was handed out: the next call of next reads.
    bool chunk_done() const { return length_ == 0 || got_ - at_ < length_; }

    // The next whole record, a view valid until the next call; false once the file has no more
    // or a seek or read failed, after the records read before it.
    bool next(std::string_view& record);

    // The errno of a failed seek or read; 0 at the end of the file.
    int error() const { return error_; }

private:
    std::FILE* file_;
    std::size_t length_;
    long header_length_;
    std::vector<char> chunk_;
    std::size_t got_ = 0, at_ = 0;
    bool last_ = false;  // the last read was short, or failed: nothing more to read
    int error_ = 0;
};

}  // namespace t2c

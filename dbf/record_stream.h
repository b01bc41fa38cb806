// Delivers the whole fixed-length records of an open dBASE file, in large reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

#include "dbf/record_layout.h"

namespace t2c {

class RecordStream {
public:
    // The file is positioned at a record; record_length may be anything from 0 up. Each read
    // takes whole records, up to max_records and about a MiB of them but at least one, and
    // never part of a record, so that several streams can take turns at one file, each
    // leaving it at the start of a record.
    RecordStream(std::FILE* file, std::size_t record_length, std::size_t max_records = 4096);

    // Reads the records that follow in the file, as many as the stream holds, in place of
    // those read before; returns how many. Fewer than a full chunk means the file ended or
    // could not be read; none once it has, or for a record length of 0.
    std::size_t read_chunk();

    // Record i of the last chunk: all its bytes, and at least FIELDS_END of them, those beyond
    // the record length zero. A short record's view lasts until the next call.
    std::string_view read_record(std::size_t i);

    // Whether the last chunk reached the end of the file, or a read error: none follows.
    bool at_end() const { return at_end_; }

    // Whether the stream ended on a read error rather than at the end of the file.
    bool failed() const { return error_ != 0; }
    int error() const { return error_; }  // the errno of the failed read

private:
    std::FILE* file_;
    std::size_t record_length_;
    std::size_t max_records_;
    std::size_t chunk_size_;  // bytes
    std::unique_ptr<char[]> buffer_;  // not cleared: a read fills what is read of it
    bool at_end_ = false;
    int error_ = 0;
    // Short records are copied here, so that the fields beyond them read as zero bytes.
    std::array<char, FIELDS_END> padded_{};
};

}  // namespace t2c

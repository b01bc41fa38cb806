// Reads the records of a dBASE file, whole, in large reads.
#pragma once

#include <cstdio>
#include <functional>
#include <string_view>

#include "dbf/header.h"

namespace t2c {

// Hands every whole record of the file, from the header's end on, to take_record, in file
// order; a part of a record at the end of the file, such as the end-of-file byte, is no
// record, and a record length of 0 gives none. The records are read a chunk at a time, and
// chunk_done is called after each chunk's records, and at least once. Returns 0 once the file has no more, or the
// errno of a failed seek or read, after the records read before it were handed on.
int read_records(std::FILE* file, const DbfHeader& header,
                 const std::function<void(std::string_view record)>& take_record,
                 const std::function<void()>& chunk_done = [] {});

}  // namespace t2c

// Arbitrary file bytes through the header and the record stream, read as the run reads them:
// every whole record after the header length must come out, byte for byte, and nothing else.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "dbf/header.h"
#include "dbf/record_stream.h"
#include "fuzz/fuzz_support.h"

using t2c::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file_bytes(reinterpret_cast<const char*>(data), size);
    // A file shorter than its header never reaches the stream; the whole-run target covers it.
    if (size < t2c::HEADER_SIZE) return 0;
    const t2c::DbfHeader header = t2c::read_header(data);
    require(header.header_length == (data[8] | data[9] << 8), "the header length is bytes 8 and 9");
    require(header.record_length == (data[10] | data[11] << 8), "the record length is bytes 10 and 11");

    std::FILE* file = t2c::fuzz::memory_file(file_bytes);
    require(std::fseek(file, header.header_length, SEEK_SET) == 0, "the seek to the first record works");
    const std::size_t length = header.record_length;
    const std::size_t body = size > header.header_length ? size - header.header_length : 0;
    const std::size_t whole_records = length == 0 ? 0 : body / length;

    // Chunks of a few records, so that short inputs cross chunk boundaries too.
    t2c::RecordStream stream(file, length, 3);
    std::size_t delivered = 0;
    while (const std::size_t count = stream.read_chunk()) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::string_view record = stream.read_record(i);
            require(delivered < whole_records, "no record beyond the last whole one");
            const std::string_view expected = file_bytes.substr(header.header_length + delivered * length, length);
            require(record.size() == std::max(length, t2c::FIELDS_END), "a record is whole and padded to the fields");
            require(record.substr(0, length) == expected, "a record holds its file bytes");
            require(record.find_first_not_of('\0', length) == std::string_view::npos,
                    "the bytes beyond a short record are zero");
            ++delivered;
        }
    }
    require(delivered == whole_records, "every whole record is delivered");
    require(!stream.failed(), "an in-memory file never fails to read");
    std::fclose(file);
    return 0;
}

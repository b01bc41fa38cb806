// The header's numbers, each read from its own bytes in little-endian order: a log of more
// than 65,535 contacts counts them in all four bytes.
#include "dbf/header.h"

#include <gtest/gtest.h>

namespace t2c {
namespace {

TEST(DbfHeader, ReadsEachNumberFromItsOwnBytes) {
    unsigned char bytes[HEADER_SIZE] = {0x03, 95, 7, 1, 0x01, 0x02, 0x03, 0x04, 0x41, 0x01, 0xD1, 0x00};
    bytes[28] = 0x01;  // the byte before the language's
    bytes[29] = 0x57;
    const DbfHeader header = read_header(bytes);
    EXPECT_EQ(header.record_count, 0x04030201U);
    EXPECT_EQ(header.header_length, 0x0141);
    EXPECT_EQ(header.record_length, 209);
    EXPECT_EQ(header.language, 0x57);
}

}  // namespace
}  // namespace t2c

#include "dbf/record_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/files.h"
#include "dbf/header.h"
#include "tools/dbf_builder.h"
#include "support/temp_dir.h"

namespace t2c {
namespace {

using fixture::Contact;
using fixture::DbfBuilder;

// Reads a whole file as the run does: header, seek, then every record the stream delivers.
std::vector<std::string> records_of(const std::string& file_bytes) {
    testing::TempDir dir;
    testing::write_file(dir / "log.dbf", file_bytes);
    UniqueFile file = open_file((dir / "log.dbf").c_str(), "rb");
    unsigned char header_bytes[HEADER_SIZE] = {};
    EXPECT_EQ(std::fread(header_bytes, 1, HEADER_SIZE, file.get()), HEADER_SIZE);
    const DbfHeader header = read_header(header_bytes);
    EXPECT_EQ(std::fseek(file.get(), header.header_length, SEEK_SET), 0);
    RecordStream stream(file.get(), header.record_length);
    std::vector<std::string> records;
    while (const std::size_t count = stream.read_chunk()) {
        for (std::size_t i = 0; i < count; ++i) records.emplace_back(stream.read_record(i));
    }
    EXPECT_FALSE(stream.failed());
    return records;
}

TEST(ReadHeader, TakesBothLengthsLittleEndian) {
    unsigned char bytes[HEADER_SIZE] = {};
    bytes[8] = 0xC1;
    bytes[9] = 0x02;
    bytes[10] = 0xD1;
    bytes[11] = 0x00;
    const DbfHeader header = read_header(bytes);
    EXPECT_EQ(header.header_length, 0x02C1);
    EXPECT_EQ(header.record_length, 209);

    bytes[10] = 0xFF;
    bytes[11] = 0xFF;
    EXPECT_EQ(read_header(bytes).record_length, 65535);
}

TEST(RecordStream, DeliversEveryWholeRecordWhateverTheHeaderCount) {
    const auto log = [](std::uint32_t count) {
        return DbfBuilder{}
            .contact({.call = "Q1AAA"})
            .contact({.deleted = true, .call = "Q2BBB"})
            .contact({.call = "Q3CCC"})
            .record_count(count)
            .bytes();
    };
    for (const std::uint32_t count : {0u, 1u, 3u, 100u}) {
        const auto records = records_of(log(count));
        ASSERT_EQ(records.size(), 3u) << "count " << count;
        EXPECT_EQ(records[0], fixture::record_bytes({.call = "Q1AAA"}));
        EXPECT_EQ(records[1][0], '*');
        EXPECT_EQ(records[2], fixture::record_bytes({.call = "Q3CCC"}));
    }
}

TEST(RecordStream, IgnoresTheEndOfFileByteAndATruncatedLastRecord) {
    const std::string whole = DbfBuilder{}.contact({}).contact({}).end_of_file_byte(false).bytes();
    EXPECT_EQ(records_of(whole).size(), 2u);
    EXPECT_EQ(records_of(whole + "\x1A").size(), 2u);
    EXPECT_EQ(records_of(whole + std::string(208, ' ')).size(), 2u);
    EXPECT_EQ(records_of(whole + std::string(209, ' ') + "\x1A").size(), 3u);
}

TEST(RecordStream, DeliversNothingForLengthZeroOrAHeaderBeyondTheEnd) {
    EXPECT_TRUE(records_of(DbfBuilder{}.contact({}).record_length(0).bytes()).empty());
    std::string past_end = DbfBuilder{}.contact({}).bytes();
    past_end[8] = static_cast<char>(0xFF);
    past_end[9] = static_cast<char>(0xFF);
    EXPECT_TRUE(records_of(past_end).empty());
}

TEST(RecordStream, PadsShortRecordsWithZeroBytes) {
    const auto records = records_of(DbfBuilder{}.raw_record("AB").raw_record("CD").record_length(2).bytes());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].size(), FIELDS_END);
    EXPECT_EQ(records[1].substr(0, 2), "CD");
    EXPECT_EQ(records[1].substr(2), std::string(FIELDS_END - 2, '\0'));
}

TEST(RecordStream, ReadsRecordsLongerThanTheOldBufferWhole) {
    std::string long_record = fixture::record_bytes({.call = "Q4DDD"});
    long_record.resize(1000, '#');
    std::vector<std::string> expected;
    DbfBuilder builder;
    builder.record_length(1000);
    // Enough records to cross several read chunks at an odd record length.
    for (int i = 0; i < 3000; ++i) {
        long_record[999] = static_cast<char>('A' + i % 26);
        builder.raw_record(long_record);
        expected.push_back(long_record);
    }
    EXPECT_EQ(records_of(builder.bytes()), expected);
}

TEST(RecordStream, StreamsTakingTurnsAtOneFileShareItsRecordsOutWhole) {
    const auto record = [](int i) { return fixture::record_bytes({.call = std::string("Q").append(std::to_string(i))}).append("##"); };
    DbfBuilder builder;
    for (int i = 0; i < 2500; ++i) builder.raw_record(record(i));
    testing::TempDir dir;
    testing::write_file(dir / "log.dbf", builder.record_length(211).end_of_file_byte(false).bytes() + std::string(100, ' '));
    UniqueFile file = open_file((dir / "log.dbf").c_str(), "rb");
    unsigned char header[HEADER_SIZE] = {};
    ASSERT_EQ(std::fread(header, 1, HEADER_SIZE, file.get()), HEADER_SIZE);
    ASSERT_EQ(std::fseek(file.get(), read_header(header).header_length, SEEK_SET), 0);

    // Chunks of 7 records, an odd length, with a part of a record at the end of the file.
    RecordStream first(file.get(), 211, 7);
    RecordStream second(file.get(), 211, 7);
    std::vector<std::string> records;
    for (RecordStream* stream = &first;; stream = stream == &first ? &second : &first) {
        const std::size_t count = stream->read_chunk();
        for (std::size_t i = 0; i < count; ++i) records.emplace_back(stream->read_record(i));
        if (stream->at_end()) break;
        ASSERT_EQ(count, 7u);
    }
    ASSERT_EQ(records.size(), 2500u);
    for (std::size_t i = 0; i < records.size(); ++i) ASSERT_EQ(records[i], record(static_cast<int>(i)));
    EXPECT_EQ(second.read_chunk() + first.read_chunk(), 0u);
    EXPECT_FALSE(first.failed() || second.failed());
}

}  // namespace
}  // namespace t2c

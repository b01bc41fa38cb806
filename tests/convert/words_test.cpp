#include "convert/words.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace t2c::words {
namespace {

// A word of eight copies of background with value at index at, in memory order.
std::uint64_t word_with(unsigned char background, std::size_t at, unsigned char value) {
    char bytes[WORD_SIZE];
    for (char& byte : bytes) byte = static_cast<char>(background);
    bytes[at] = static_cast<char>(value);
    return load(bytes);
}

TEST(Words, MarkExactlyTheMatchingBytes) {
    // Every byte value at every position, among neighbours that tempt a borrow or a carry.
    for (const int background : {0x00, 0x01, 0x20, 0x7F, 0x80, 0xFF}) {
        for (std::size_t at = 0; at < WORD_SIZE; ++at) {
            for (int value = 0; value < 256; ++value) {
                const std::uint64_t word = word_with(static_cast<unsigned char>(background), at, static_cast<unsigned char>(value));
                const std::uint64_t marks = bytes_equal(word, ' ');
                for (std::size_t i = 0; i < WORD_SIZE; ++i) {
                    const int byte = i == at ? value : background;
                    EXPECT_EQ((marks & marks_from(i) & ~marks_from(i + 1)) != 0, byte == ' ')
                        << "background " << background << " value " << value << " at " << at;
                    EXPECT_EQ((zero_bytes(word) & marks_from(i) & ~marks_from(i + 1)) != 0, byte == 0);
                }
            }
        }
    }
}

TEST(Words, FindTheFirstMarkInMemoryOrder) {
    for (std::size_t at = 0; at < WORD_SIZE; ++at) {
        EXPECT_EQ(first_marked(bytes_equal(word_with('A', at, ' '), ' ')), at);
        EXPECT_EQ(first_marked(marks_from(at)), at);
    }
    const char text[WORD_SIZE] = {'Q', '1', ' ', 'A', ' ', ' ', '\0', 'B'};
    EXPECT_EQ(first_marked(bytes_equal(load(text), ' ')), 2u);
    EXPECT_EQ(first_marked(zero_bytes(load(text))), 6u);
    EXPECT_EQ(marks_from(WORD_SIZE), 0u);
}

}  // namespace
}  // namespace t2c::words

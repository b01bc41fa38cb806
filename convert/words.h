// Eight bytes of a record looked at in one step. The fields of every record are short texts
// of varying length; finding where each ends byte by byte costs a mispredicted loop exit per
// field, which made up much of the per-record time. A word per step has almost no branches.
// Words are read straight from the record as it was read in: a word read over bytes that were
// written a moment before, byte by byte, stalls the processor and costs more than it saves.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace t2c::words {

constexpr std::size_t WORD_SIZE = 8;

// The bytes at p in memory order; a mask below marks byte i of such a word by its high bit.
inline std::uint64_t load(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, WORD_SIZE);
    return word;
}

// The high bit of every byte of word that is zero, and no other bit: exact, since no carry
// crosses from one byte into the next.
inline std::uint64_t zero_bytes(std::uint64_t word) {
    constexpr std::uint64_t LOW_SEVEN = 0x7F7F7F7F7F7F7F7F;
    return ~(((word & LOW_SEVEN) + LOW_SEVEN) | word | LOW_SEVEN);
}

inline std::uint64_t bytes_equal(std::uint64_t word, unsigned char c) {
    return zero_bytes(word ^ (0x0101010101010101 * c));
}

// The index in memory order of the first byte marked in mask, which is not zero.
inline std::size_t first_marked(std::uint64_t mask) {
    if constexpr (std::endian::native == std::endian::little) {
        return static_cast<std::size_t>(std::countr_zero(mask)) / WORD_SIZE;
    } else {
        return static_cast<std::size_t>(std::countl_zero(mask)) / WORD_SIZE;
    }
}

// The high bit of every byte from index from on, in memory order: marks the bytes of a
// word that lie beyond the end of a field.
constexpr std::uint64_t marks_from(std::size_t from) {
    std::array<unsigned char, WORD_SIZE> bytes{};
    for (std::size_t i = from; i < WORD_SIZE; ++i) bytes[i] = 0x80;
    return std::bit_cast<std::uint64_t>(bytes);
}

}  // namespace t2c::words

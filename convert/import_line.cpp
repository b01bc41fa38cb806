#include "convert/import_line.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "convert/words.h"

namespace t2c {

namespace {

// Each byte as it goes into a line: 0x19, CR and LF become blanks, every other byte stays.
constexpr std::array<char, 256> CLEAN_BYTE = [] {
    std::array<char, 256> table{};
    for (std::size_t c = 0; c < table.size(); ++c) table[c] = static_cast<char>(c);
    table[static_cast<unsigned char>(FIELD_SEP)] = ' ';
    table['\r'] = ' ';
    table['\n'] = ' ';
    return table;
}();

// The line is written through a pointer into room made beforehand, rather than appended byte
// by byte: appending checked the string's capacity for every byte of every line.
//
// Texts go out eight bytes at a step, cleaned a word at a time, and end where the word marks
// their first zero byte: a loop byte by byte that stops there is mispredicted at nearly every
// field, as each text's length varies from record to record. Bytes behind a text's end go out
// too; what follows overwrites them, and the room made for the line allows for them.

// word with each 0x19, CR and LF made a blank.
std::uint64_t clean_word(std::uint64_t word) {
    const std::uint64_t marks = words::bytes_equal(word, FIELD_SEP) | words::bytes_equal(word, '\r') |
                                words::bytes_equal(word, '\n');
    const std::uint64_t whole_bytes = (marks >> 7) * 0xFF;
    return (word & ~whole_bytes) | (0x2020202020202020 & whole_bytes);
}

// The COUNT bytes at p in memory order, zeros after them. Put together from loads of whole
// powers of two: copied through memory, the bytes would be stored one piece at a time and
// read back as a word, which stalls the processor.
template <std::size_t COUNT>
std::uint64_t load_bytes(const char* p) {
    static_assert(COUNT <= words::WORD_SIZE);
    if constexpr (std::endian::native != std::endian::little || COUNT == words::WORD_SIZE) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, COUNT);
        return word;
    } else if constexpr (COUNT == 0) {
        return 0;
    } else {
        constexpr std::size_t PIECE = COUNT >= 4 ? 4 : COUNT >= 2 ? 2 : 1;
        using Piece = std::conditional_t<PIECE == 4, std::uint32_t, std::conditional_t<PIECE == 2, std::uint16_t, std::uint8_t>>;
        Piece piece;
        std::memcpy(&piece, p, PIECE);
        return std::uint64_t{piece} | load_bytes<COUNT - PIECE>(p + PIECE) << (8 * PIECE);
    }
}

// Puts the COUNT (at most eight) bytes at text, cleaned, and returns how many of them come
// before the first zero byte: COUNT when there is none. The bytes of the word beyond COUNT are
// zeros that lie after the text in memory order, so they end it no sooner than COUNT.
template <std::size_t COUNT>
std::size_t put_bytes(char* to, const char* text) {
    constexpr std::uint64_t LOW_SEVEN = 0x7F7F7F7F7F7F7F7F;
    constexpr std::uint64_t HIGH_BITS = 0x8080808080808080;
    const std::uint64_t word = load_bytes<COUNT>(text);
    // By the high bit of each byte, without carries between bytes: not zero, and at least
    // 0x20. Bytes below 0x20 other than zero are rare in a log; a word with one is cleaned
    // exactly, any other goes out as it is.
    const std::uint64_t low = word & LOW_SEVEN;
    const std::uint64_t not_zero = (low + LOW_SEVEN) | word;
    const std::uint64_t printable = (low + 0x6060606060606060) | word;
    const std::uint64_t cleaned = (not_zero & ~printable & HIGH_BITS) != 0 ? clean_word(word) : word;
    std::memcpy(to, &cleaned, COUNT);
    const std::uint64_t zeros = ~(not_zero | LOW_SEVEN);
    return zeros == 0 ? COUNT : words::first_marked(zeros);
}

// A text in an array of N bytes, up to its first zero byte or its N - 1 bytes; the arrays of
// a record hold at most sixteen, two words, or many more (the comment).
template <std::size_t N>
char* put_text(char* to, const char (&text)[N]) {
    constexpr std::size_t COUNT = N - 1;
    if constexpr (COUNT <= words::WORD_SIZE) {
        return to + put_bytes<COUNT>(to, text);
    } else if constexpr (COUNT <= 2 * words::WORD_SIZE) {
        const std::size_t first = put_bytes<words::WORD_SIZE>(to, text);
        const std::size_t second = put_bytes<COUNT - words::WORD_SIZE>(to + words::WORD_SIZE, text + words::WORD_SIZE);
        return to + first + (first == words::WORD_SIZE ? second : 0);
    } else {
        constexpr std::size_t WHOLE_WORDS = COUNT / words::WORD_SIZE;
        for (std::size_t offset = 0; offset < WHOLE_WORDS * words::WORD_SIZE; offset += words::WORD_SIZE) {
            const std::size_t length = put_bytes<words::WORD_SIZE>(to + offset, text + offset);
            if (length < words::WORD_SIZE) return to + offset + length;
        }
        constexpr std::size_t REST = COUNT - WHOLE_WORDS * words::WORD_SIZE;
        if constexpr (REST == 0) {
            return to + COUNT;
        } else {
            constexpr std::size_t OFFSET = WHOLE_WORDS * words::WORD_SIZE;
            return to + OFFSET + put_bytes<REST>(to + OFFSET, text + OFFSET);
        }
    }
}

char* put_text(char* to, std::string_view text) {
    for (const char c : text) *to++ = CLEAN_BYTE[static_cast<unsigned char>(c)];
    return to;
}

template <typename Text>
char* put_field(char* to, const Text& text) {
    to = put_text(to, text);
    *to++ = FIELD_SEP;
    return to;
}

char* put_empty_fields(char* to, int count) {
    for (int i = 0; i < count; ++i) *to++ = FIELD_SEP;
    return to;
}

}  // namespace

std::size_t import_line_room(const ImportRecord& record) {
    constexpr std::size_t ADDED_BYTES = 32;
    return sizeof record + record.prefix.size() + ADDED_BYTES;
}

char* write_import_line(const ImportRecord& record, char* to) {
    to = put_text(to, record.day);
    *to++ = '-';
    to = put_text(to, record.month_name);
    *to++ = '-';
    to = put_text(to, record.year);
    *to++ = ' ';
    to = put_field(to, record.time);
    to = put_field(to, record.call);
    to = put_field(to, record.prefix);
    to = put_field(to, record.code2);
    to = put_field(to, record.band);
    to = put_field(to, record.mode);
    to = put_field(to, record.report_sent);
    to = put_field(to, record.report_received);
    if (record.qsl_status != '\0') *to++ = CLEAN_BYTE[static_cast<unsigned char>(record.qsl_status)];
    *to++ = FIELD_SEP;
    to = put_field(to, record.comment);
    to = put_empty_fields(to, 1);
    to = put_field(to, record.frequency);
    to = put_empty_fields(to, 1);
    to = put_field(to, record.code6);
    to = put_empty_fields(to, 3);
    *to++ = '\r';
    *to++ = '\n';
    return to;
}

void write_import_line(const ImportRecord& record, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + import_line_room(record));
    char* end = write_import_line(record, out.data() + start);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

}  // namespace t2c

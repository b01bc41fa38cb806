// Reads a file as text lines the way a text-mode line read does on the system the country
// list was written for: CR LF is one LF, and a Ctrl-Z byte ends the file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <vector>

namespace t2c {

constexpr std::size_t LINE_BUFFER_SIZE = 250;

class TextLines {
public:
    explicit TextLines(std::FILE* file);

    // Reads at most LINE_BUFFER_SIZE - 1 characters into line, up to and including an LF when
    // it fits, then a zero byte. A longer line is left for the following calls, piece by
    // piece. False, with line untouched, when the file has no character left.
    bool read_line(std::array<char, LINE_BUFFER_SIZE>& line);

    // Whether reading stopped on an error rather than at the end of the file.
    bool failed() const { return error_ != 0; }
    int error() const { return error_; }  // the errno of the failed read

private:
    static constexpr int END = -1;
    static constexpr int NO_BYTE = -2;
    int next_byte();
    int next_char();

    std::FILE* file_;
    std::vector<unsigned char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    int pending_ = NO_BYTE;  // a byte read ahead to look for the LF after a CR
    bool ended_ = false;
    int error_ = 0;
};

}  // namespace t2c

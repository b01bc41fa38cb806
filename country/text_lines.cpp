#include "country/text_lines.h"

#include <cerrno>

namespace t2c {

namespace {

constexpr std::size_t READ_SIZE = 64 * 1024;
constexpr int CTRL_Z = 0x1A;

bool ends_ordinary_text(unsigned char byte) { return byte == '\n' || byte == '\r' || byte == CTRL_Z; }

}  // namespace

TextLines::TextLines(std::FILE* file) : file_(file), buffer_(READ_SIZE) {}

int TextLines::next_byte() {
    if (pending_ != NO_BYTE) {
        const int byte = pending_;
        pending_ = NO_BYTE;
        return byte;
    }
    if (begin_ == end_) {
        if (ended_) return END;
        end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        begin_ = 0;
        if (end_ < buffer_.size()) {
            ended_ = true;
            if (std::ferror(file_) != 0) error_ = errno != 0 ? errno : EIO;
        }
        if (end_ == 0) return END;
    }
    return buffer_[begin_++];
}

int TextLines::next_char() {
    const int byte = next_byte();
    if (byte == CTRL_Z) {
        // Nothing after a Ctrl-Z is text, however much the file still holds.
        begin_ = end_;
        ended_ = true;
        pending_ = NO_BYTE;
        return END;
    }
    if (byte != '\r') return byte;
    const int after = next_byte();
    if (after == '\n') return '\n';
    pending_ = after;
    return '\r';
}

bool TextLines::read_line(std::array<char, LINE_BUFFER_SIZE>& line) {
    std::size_t length = 0;
    while (length < line.size() - 1) {
        // Ordinary bytes go straight from the buffer, and most lines hold nothing else; a
        // line end, a CR or a Ctrl-Z takes the byte-by-byte way below. A country list of
        // 100,000 lines loads in a fraction of the time that way.
        if (pending_ == NO_BYTE) {
            // Locals, since every store into the line might otherwise change the members.
            const unsigned char* const bytes = buffer_.data();
            std::size_t next = begin_;
            const std::size_t end = end_;
            while (next < end && length < line.size() - 1 && !ends_ordinary_text(bytes[next])) {
                line[length++] = static_cast<char>(bytes[next++]);
            }
            begin_ = next;
            if (length == line.size() - 1) break;
        }
        const int c = next_char();
        if (c == END) break;
        line[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    if (length == 0) return false;
    line[length] = '\0';
    return true;
}

}  // namespace t2c

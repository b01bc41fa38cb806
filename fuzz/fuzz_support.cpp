#include "fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "dbf/record_layout.h"

namespace t2c::fuzz {

namespace {

constexpr char SEP = 0x19;
constexpr std::size_t SEPARATORS = 17;
// Fields 11, 13, 15, 16 and 17 of every line hold nothing.
constexpr std::size_t ALWAYS_EMPTY[] = {10, 12, 14, 15, 16};

// A source field as a C string: up to its first zero byte.
std::string text_at(std::string_view record, FieldSpan span) {
    const std::string_view text = record.substr(span.offset, span.width);
    return std::string(text.substr(0, text.find('\0')));
}

std::string cut_at_blank(std::string text) {
    return text.substr(0, text.find(' '));
}

// The reference reading of a two-character number: the C library's own "%2d".
std::optional<int> scan_two(const std::string& text) {
    int value = 0;
    if (std::sscanf(text.c_str(), "%2d", &value) == 1) return value;
    return std::nullopt;
}

void check_import_line(std::string_view line) {
    require(line.size() >= 2 && line.substr(line.size() - 2) == "\r\n", "a line ends in CR LF");
    const std::string_view body = line.substr(0, line.size() - 2);
    require(body.find('\r') == std::string_view::npos, "no CR inside a line");
    require(body.find('\n') == std::string_view::npos, "no LF inside a line");
    require(static_cast<std::size_t>(std::count(body.begin(), body.end(), SEP)) == SEPARATORS,
            "seventeen separators per line");
    require(!body.empty() && body.back() == SEP, "the last separator stands before CR LF");
    for (const std::size_t index : ALWAYS_EMPTY) {
        require(import_field(line, index).empty(), "the always-empty fields are empty");
    }
}

}  // namespace

void require(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

std::FILE* memory_file(std::string_view bytes) {
    const int fd = memfd_create("fuzz-input", MFD_CLOEXEC);
    require(fd >= 0, "memfd_create works");
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        require(n > 0, "the in-memory file takes the bytes");
        written += static_cast<std::size_t>(n);
    }
    require(lseek(fd, 0, SEEK_SET) == 0, "the in-memory file rewinds");
    std::FILE* file = fdopen(fd, "rb");
    require(file != nullptr, "fdopen works");
    return file;
}

std::string_view import_field(std::string_view line, std::size_t index) {
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t sep = line.find(SEP);
        if (sep == std::string_view::npos) return {};
        line.remove_prefix(sep + 1);
    }
    return line.substr(0, line.find(SEP));
}

std::size_t check_import_lines(std::string_view bytes) {
    std::size_t lines = 0;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        require(end != std::string_view::npos, "the import file ends in a whole line");
        check_import_line(bytes.substr(0, end + 1));
        bytes.remove_prefix(end + 1);
        ++lines;
    }
    return lines;
}

std::string as_written(std::string_view text) {
    std::string written(text);
    std::replace_if(written.begin(), written.end(), [](char c) { return c == SEP || c == '\r' || c == '\n'; },
                    ' ');
    return written;
}

Expected expect_conversion(std::string_view record, int& seconds_counter) {
    if (record[0] == '*') return {.kind = Expected::deleted};
    const std::string call = cut_at_blank(text_at(record, CALL));

    const int month = scan_two(text_at(record, DATE_MONTH)).value_or(0);
    if (month < 1 || month > 12) return {.kind = Expected::month, .value = month, .call = call};
    const int day = scan_two(text_at(record, DATE_DAY)).value_or(0);
    if (day < 1 || day > 31) return {.kind = Expected::day, .value = day, .call = call};

    std::string time = cut_at_blank(text_at(record, TIME_INI));
    if (time.empty()) return {.kind = Expected::empty_time, .value = 0, .call = call};
    char stamp[4];
    std::snprintf(stamp, sizeof stamp, ":%02d", seconds_counter);
    time += stamp;
    seconds_counter = (seconds_counter + 1) % 60;

    const int hour = scan_two(time.substr(0, 2)).value_or(-1);
    if (hour < 0 || hour > 23) return {.kind = Expected::hour, .value = hour, .call = call};
    const int minute = scan_two(time.substr(3, 2)).value_or(-1);
    if (minute < 0 || minute > 59) return {.kind = Expected::minute, .value = minute, .call = call};
    return {.kind = Expected::accepted, .call = call, .time = time};
}

RunInput split_run_input(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    if (size < 2) return {{}, {bytes, size}};
    const std::size_t rest = size - 2;
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(data[0] | data[1] << 8), rest);
    return {{bytes + 2, length}, {bytes + 2 + length, rest - length}};
}

std::string join_run_input(std::string_view dxcc, std::string_view source) {
    require(dxcc.size() <= 0xFFFF, "a seed's dxcc.txt fits its length field");
    std::string input;
    input.push_back(static_cast<char>(dxcc.size() & 0xFF));
    input.push_back(static_cast<char>(dxcc.size() >> 8));
    input.append(dxcc);
    input.append(source);
    return input;
}

}  // namespace t2c::fuzz

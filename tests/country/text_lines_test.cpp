#include "country/text_lines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/files.h"
#include "support/temp_dir.h"

namespace t2c {
namespace {

// Text-mode reading spelled out on the whole file at once: CR LF is LF, a Ctrl-Z ends the
// file, then pieces of at most 249 characters, each ending after its LF when that fits.
std::vector<std::string> expected_lines(const std::string& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\x1A'; ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text.push_back(bytes[i]);
    }
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start;
        while (end < text.size() && end - start < LINE_BUFFER_SIZE - 1) {
            if (text[end++] == '\n') break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::vector<std::string> read_lines(const std::string& bytes) {
    testing::TempDir dir;
    testing::write_file(dir / "dxcc.txt", bytes);
    UniqueFile file = open_file((dir / "dxcc.txt").c_str(), "rb");
    TextLines reader(file.get());
    std::vector<std::string> lines;
    std::array<char, LINE_BUFFER_SIZE> line{};
    while (reader.read_line(line)) lines.emplace_back(line.data());
    EXPECT_FALSE(reader.failed());
    return lines;
}

// Lines of every length, lone CRs and CR LF pairs, long enough to cross several of the
// reader's chunks; the pieces of ordinary bytes are copied in runs, the rest byte by byte.
TEST(TextLines, ReadsAsTextModeDoesAcrossChunks) {
    std::uint32_t state = 7;
    const auto next = [&state](std::uint32_t bound) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % bound;
    };
    std::string bytes;
    while (bytes.size() < 300'000) {
        const std::uint32_t kind = next(10);
        if (kind == 0) {
            bytes += "\r\n";
        } else if (kind == 1) {
            bytes += '\n';
        } else if (kind == 2) {
            bytes += '\r';
        } else {
            bytes.append(next(kind == 3 ? 600 : 40), static_cast<char>('a' + next(26)));
        }
    }
    // A CR LF split between two chunks, and a CR that ends one.
    bytes[65'535] = '\r';
    bytes[65'536] = '\n';
    bytes[131'071] = '\r';
    bytes[131'072] = 'x';
    EXPECT_EQ(read_lines(bytes), expected_lines(bytes));
    EXPECT_EQ(read_lines(bytes + "\r"), expected_lines(bytes + "\r"));

    const std::string ended = bytes.substr(0, 200'000) + "\r\x1A" + "more\n";
    EXPECT_EQ(read_lines(ended), expected_lines(ended));
}

}  // namespace
}  // namespace t2c

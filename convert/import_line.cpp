#include "convert/import_line.h"

#include <array>
#include <string_view>

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
char* put_terminated(char* to, const char* text) {
    for (; *text != '\0'; ++text) *to++ = CLEAN_BYTE[static_cast<unsigned char>(*text)];
    return to;
}

// The same for a short text in an array of N bytes, without a branch on where the text
// ends: its length varies from record to record, and a loop that stops there is mispredicted
// at nearly every field. Every byte of the array goes out, and the line goes on after the
// text; what follows overwrites the rest, and the room made for the line allows for it.
template <std::size_t N>
char* put_text(char* to, const char (&text)[N]) {
    if constexpr (N > 16) {
        return put_terminated(to, text);
    } else {
        std::size_t length = 0;
        bool in_text = true;
        for (std::size_t i = 0; i + 1 < N; ++i) {
            in_text = in_text & (text[i] != '\0');
            length += in_text;
            to[i] = CLEAN_BYTE[static_cast<unsigned char>(text[i])];
        }
        return to + length;
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

#include "app/import_line.h"

#include <algorithm>
#include <string_view>

namespace t2c {

namespace {

bool splits_lines(char c) { return c == FIELD_SEP || c == '\r' || c == '\n'; }

void append_text(std::string& line, std::string_view text) {
    line += text;
    std::replace_if(line.end() - static_cast<std::ptrdiff_t>(text.size()), line.end(), splits_lines, ' ');
}

void append_field(std::string& line, std::string_view text) {
    append_text(line, text);
    line += FIELD_SEP;
}

}  // namespace

void append_import_line(const ImportRecord& record, std::string& line) {
    append_text(line, record.day);
    line += '-';
    line += record.month_name;
    line += '-';
    append_text(line, record.year);
    line += ' ';
    append_field(line, record.time);
    append_field(line, record.call);
    append_field(line, record.prefix);
    append_field(line, record.code2);
    append_field(line, record.band);
    append_field(line, record.mode);
    append_field(line, record.report_sent);
    append_field(line, record.report_received);
    append_field(line, std::string_view(&record.qsl_status, record.qsl_status != '\0' ? 1 : 0));
    append_field(line, record.comment);
    line += FIELD_SEP;
    append_field(line, record.frequency);
    line += FIELD_SEP;
    append_field(line, record.code6);
    line.append(3, FIELD_SEP);
    line += "\r\n";
}

}  // namespace t2c

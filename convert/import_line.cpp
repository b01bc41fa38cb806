#include "convert/import_line.h"

#include <string_view>

namespace t2c {

namespace {

void append_text(std::string& out, std::string_view text) {
    for (const char c : text) out.push_back(c == FIELD_SEP || c == '\r' || c == '\n' ? ' ' : c);
}

void append_field(std::string& out, std::string_view text) {
    append_text(out, text);
    out.push_back(FIELD_SEP);
}

}  // namespace

void write_import_line(const ImportRecord& record, std::string& out) {
    append_text(out, record.day);
    out.push_back('-');
    append_text(out, record.month_name);
    out.push_back('-');
    append_text(out, record.year);
    out.push_back(' ');
    append_field(out, record.time);
    append_field(out, record.call);
    append_field(out, record.prefix);
    append_field(out, record.code2);
    append_field(out, record.band);
    append_field(out, record.mode);
    append_field(out, record.report_sent);
    append_field(out, record.report_received);
    append_field(out, record.qsl_status != '\0' ? std::string_view(&record.qsl_status, 1)
                                                : std::string_view());
    append_field(out, record.comment);
    append_field(out, {});
    append_field(out, record.frequency);
    append_field(out, {});
    append_field(out, record.code6);
    append_field(out, {});
    append_field(out, {});
    append_field(out, {});
    out += "\r\n";
}

}  // namespace t2c

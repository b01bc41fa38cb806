#include "tools/dbf_builder.h"

#include <stdexcept>

namespace t2c::fixture {

const std::vector<DbfField> LOG_FIELDS = {
    {"DATE", 'D', 8},      {"TIME_INI", 'C', 5},  {"TIME_END", 'C', 5},  {"BAND", 'C', 4},
    {"FREQ", 'C', 8},      {"MODE", 'C', 6},      {"CALL", 'C', 15},     {"RST_SENT", 'C', 3},
    {"RST_RCVD", 'C', 3},  {"NAME", 'C', 15},     {"QTH", 'C', 20},      {"REMARKS", 'C', 21},
    {"QSL_SENT", 'C', 1},  {"QSL_RCVD", 'C', 1},  {"QSL_DATE", 'C', 10}, {"QSL_MGR", 'C', 12},
    {"SPARE", 'C', 2},     {"COUNTRY", 'C', 40},  {"CODE2", 'C', 2},     {"OTHER", 'C', 21},
    {"CODE6", 'C', 6},
};

namespace {

void put_le(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::size_t log_record_length() {
    std::size_t length = 1;
    for (const DbfField& f : LOG_FIELDS) length += f.width;
    return length;
}

}  // namespace

std::string record_bytes(const Contact& c) {
    const std::string* values[] = {
        &c.date,     &c.time,    &c.time_end,    &c.band,   &c.frequency,       &c.mode,
        &c.call,     &c.report_sent, &c.report_received, &c.name, &c.place, &c.remarks,
        &c.qsl_sent, &c.qsl_received, &c.qsl_date, &c.manager, &c.spare,  &c.country,
        &c.code2,    &c.other,   &c.code6,
    };
    std::string record(1, c.deleted ? '*' : ' ');
    for (std::size_t i = 0; i < LOG_FIELDS.size(); ++i) {
        std::string value = values[i]->substr(0, LOG_FIELDS[i].width);
        value.resize(LOG_FIELDS[i].width, ' ');
        record += value;
    }
    return record;
}

DbfBuilder& DbfBuilder::contact(const Contact& contact) {
    records_.push_back(record_bytes(contact));
    return *this;
}

DbfBuilder& DbfBuilder::raw_record(std::string bytes) {
    records_.push_back(std::move(bytes));
    return *this;
}

DbfBuilder& DbfBuilder::record_length(std::uint16_t length) {
    record_length_ = length;
    return *this;
}

DbfBuilder& DbfBuilder::record_count(std::uint32_t count) {
    record_count_ = count;
    return *this;
}

DbfBuilder& DbfBuilder::header_length(std::uint16_t length) {
    header_length_ = length;
    return *this;
}

DbfBuilder& DbfBuilder::end_of_file_byte(bool present) {
    end_of_file_byte_ = present;
    return *this;
}

std::string DbfBuilder::bytes() const {
    const std::size_t descriptors_end = 32 + 32 * LOG_FIELDS.size() + 1;
    std::string out;
    out.push_back(0x03);  // dBASE III without memo
    out += {static_cast<char>(99), 3, 7};  // last update 1999-03-07
    put_le(out, record_count_.value_or(static_cast<std::uint32_t>(records_.size())), 4);
    put_le(out, header_length_.value_or(static_cast<std::uint16_t>(descriptors_end)), 2);
    put_le(out, record_length_.value_or(static_cast<std::uint16_t>(log_record_length())), 2);
    out.append(20, '\0');
    for (const DbfField& f : LOG_FIELDS) {
        std::string name(f.name);
        if (name.size() > 10) throw std::logic_error("dBASE field names have at most 10 characters");
        name.resize(11, '\0');
        out += name;
        out.push_back(f.type);
        out.append(4, '\0');
        out.push_back(static_cast<char>(f.width));
        out.push_back('\0');  // decimal count
        out.append(14, '\0');
    }
    out.push_back(0x0D);
    // A header length that points elsewhere is honoured by padding or by leaving a gap unfilled.
    if (header_length_ && *header_length_ > out.size()) out.resize(*header_length_, '\0');
    for (const std::string& record : records_) out += record;
    if (end_of_file_byte_) out.push_back(0x1A);
    return out;
}

}  // namespace t2c::fixture

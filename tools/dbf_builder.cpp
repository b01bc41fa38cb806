#include "tools/dbf_builder.h"

#include <algorithm>
#include <stdexcept>

namespace t2c::fixture {

namespace {

void put_le(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::size_t record_length_of(const std::vector<LogField>& fields) {
    std::size_t length = 1;
    for (const LogField& f : fields) length += f.width;
    return length;
}

}  // namespace

std::string record_bytes(const Contact& c, std::span<const LogField> fields) {
    // In the order of LOG_FIELDS.
    const std::string* values[] = {
        &c.date,     &c.time,    &c.time_end,    &c.band,   &c.frequency,       &c.mode,
        &c.call,     &c.report_sent, &c.report_received, &c.name, &c.place, &c.remarks,
        &c.qsl_sent, &c.qsl_received, &c.qsl_date, &c.manager, &c.spare,  &c.country,
        &c.code2,    &c.other,   &c.code6,
    };
    std::string record(1, c.deleted ? '*' : ' ');
    for (const LogField& f : fields) {
        const auto same_name = [&](const LogField& log_field) { return log_field.name == f.name; };
        const auto at = std::find_if(LOG_FIELDS.begin(), LOG_FIELDS.end(), same_name);
        const auto index = static_cast<std::size_t>(at - LOG_FIELDS.begin());
        std::string value = at == LOG_FIELDS.end() ? "" : values[index]->substr(0, f.width);
        value.resize(f.width, ' ');
        record += value;
    }
    return record;
}

DbfBuilder& DbfBuilder::contact(const Contact& contact) {
    records_.push_back(record_bytes(contact, fields_));
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

DbfBuilder& DbfBuilder::fields(std::vector<LogField> fields) {
    fields_ = std::move(fields);
    return *this;
}

std::string DbfBuilder::bytes() const {
    const std::size_t descriptors_end = 32 + 32 * fields_.size() + 1;
    std::string out;
    out.push_back(0x03);  // dBASE III without memo
    out += {static_cast<char>(99), 3, 7};  // last update 1999-03-07
    put_le(out, record_count_.value_or(static_cast<std::uint32_t>(records_.size())), 4);
    put_le(out, header_length_.value_or(static_cast<std::uint16_t>(descriptors_end)), 2);
    put_le(out, record_length_.value_or(static_cast<std::uint16_t>(record_length_of(fields_))), 2);
    out.append(20, '\0');
    for (const LogField& f : fields_) {
        std::string name(f.name);
        if (name.size() > 10 || f.width > 255) {
            throw std::logic_error("a dBASE field has at most 10 characters of name and 255 of width");
        }
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

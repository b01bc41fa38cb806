// Writes real dBASE III contact logs (header, field descriptors, records, end-of-file byte), so
// that each test reads as the contacts it describes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dbf/record_layout.h"

namespace t2c::fixture {

// One contact as the logbook stores it. Every field is blank-padded (or cut) to its width; a
// field may hold any byte, zero bytes included.
struct Contact {
    bool deleted = false;
    std::string date = "19990307";  // YYYYMMDD
    std::string time = "14:30";
    std::string time_end = "14:35";
    std::string band = "20m";
    std::string frequency = "14.195";
    std::string mode = "SSB";
    std::string call = "Q1AAA";
    std::string report_sent = "59";
    std::string report_received = "57";
    std::string name = "ANNA";
    std::string place = "ROMA";
    std::string remarks = "";
    std::string qsl_sent = "";
    std::string qsl_received = "";
    std::string qsl_date = "";
    std::string manager = "";
    std::string spare = "";
    std::string country = "ITALY";
    std::string code2 = "XY";
    std::string other = "";
    std::string code6 = "ABCDEF";
};

// The record bytes of a contact, deletion flag first: its 209 bytes in the logbook's layout.
// In another layout each field holds the contact's value of the field of that name, or blanks.
std::string record_bytes(const Contact& contact, std::span<const LogField> fields = LOG_FIELDS);

class DbfBuilder {
public:
    DbfBuilder& contact(const Contact& contact);
    // A record given byte for byte, for lengths and contents no contact describes.
    DbfBuilder& raw_record(std::string bytes);
    // Overrides the header's record length, record count or header length.
    DbfBuilder& record_length(std::uint16_t length);
    DbfBuilder& record_count(std::uint32_t count);
    DbfBuilder& header_length(std::uint16_t length);
    // Whether the file ends in the dBASE end-of-file byte (it does by default).
    DbfBuilder& end_of_file_byte(bool present);
    // The field descriptors written, in place of the logbook's, and the layout of the
    // contacts added after this call.
    DbfBuilder& fields(std::vector<LogField> fields);

    std::string bytes() const;

private:
    std::vector<LogField> fields_{LOG_FIELDS.begin(), LOG_FIELDS.end()};
    std::vector<std::string> records_;
    std::optional<std::uint16_t> record_length_;
    std::optional<std::uint32_t> record_count_;
    std::optional<std::uint16_t> header_length_;
    bool end_of_file_byte_ = true;
};

}  // namespace t2c::fixture

// Writes real dBASE III contact logs (header, field descriptors, records, end-of-file byte), so
// that each test reads as the contacts it describes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

struct DbfField {
    const char* name;
    char type;
    std::uint8_t width;
};

// The logbook's fields in file order; their widths add up to the 209-byte record.
extern const std::vector<DbfField> LOG_FIELDS;

// The 209 record bytes of a contact, deletion flag first.
std::string record_bytes(const Contact& contact);

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

    std::string bytes() const;

private:
    std::vector<std::string> records_;
    std::optional<std::uint16_t> record_length_;
    std::optional<std::uint32_t> record_count_;
    std::optional<std::uint16_t> header_length_;
    bool end_of_file_byte_ = true;
};

}  // namespace t2c::fixture

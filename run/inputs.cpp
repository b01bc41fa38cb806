#include "run/inputs.h"

#include <string>

#include "run/fatal.h"

namespace t2c {

DbfHeader read_log_header(std::FILE* log) {
    unsigned char header[HEADER_SIZE] = {};
    if (std::fread(header, 1, sizeof header, log) != sizeof header) {
        if (std::ferror(log) != 0) fatal("read(): input file", EXIT_INPUT);
        fatal("read(): input file", "shorter than its 32-byte dBASE header", EXIT_INPUT);
    }
    return read_header(header);
}

std::vector<FieldDescriptor> read_log_fields(std::FILE* log, const DbfHeader& header) {
    std::string bytes(header.header_length > HEADER_SIZE ? header.header_length - HEADER_SIZE : 0, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), log));
    if (std::ferror(log) != 0) fatal("read(): input file", EXIT_INPUT);
    return read_field_descriptors(bytes);
}

UniqueFile open_country_file() {
    UniqueFile file = open_file(COUNTRY_FILE_NAME, "rb");
    if (!file) fatal("fopen(): DXCC database file.", EXIT_INPUT);
    return file;
}

CountryTable load_countries(std::FILE* country_file) {
    CountryTable countries = load_country_table(country_file);
    // A list that could not be read to its end would give contacts a wrong "??".
    if (std::ferror(country_file) != 0) fatal("read(): DXCC database file.", EXIT_INPUT);
    return countries;
}

}  // namespace t2c

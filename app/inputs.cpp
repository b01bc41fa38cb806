#include "app/inputs.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <system_error>

#include "app/fatal.h"
#include "country/text_lines.h"

namespace t2c {

DbfHeader read_log_header(std::FILE* log) {
    unsigned char header[HEADER_SIZE] = {};
    if (std::fread(header, 1, sizeof header, log) != sizeof header) {
        if (std::ferror(log) != 0) fatal("read(): input file", EXIT_INPUT);
        fatal("read(): input file", "shorter than its 32-byte dBASE header", EXIT_INPUT);
    }
    return read_header(header);
}

UniqueFile open_country_file() {
    UniqueFile file = open_file(COUNTRY_FILE_NAME, "rb");
    if (!file) fatal("fopen(): DXCC database file.", EXIT_INPUT);
    return file;
}

CountryTable load_countries(std::FILE* country_file) {
    TextLines lines(country_file);
    std::error_code unknown_size;
    const std::uintmax_t size = std::filesystem::file_size(COUNTRY_FILE_NAME, unknown_size);
    CountryTable countries;
    try {
        countries = load_country_table(lines, unknown_size ? 0 : size);
    } catch (const std::bad_alloc&) {
        fatal_system("malloc()", ENOMEM, EXIT_MEMORY);
    }
    if (lines.failed()) fatal_system("read(): DXCC database file.", lines.error(), EXIT_INPUT);
    return countries;
}

}  // namespace t2c

// The log's header and dxcc.txt as every program of the package reads them, with the same
// messages when they cannot be read.
#pragma once

#include <cstdio>
#include <vector>

#include "run/files.h"
#include "country/country_table.h"
#include "dbf/field_descriptors.h"
#include "dbf/header.h"

namespace t2c {

constexpr const char* COUNTRY_FILE_NAME = "dxcc.txt";

// Reads the header from the log, which is at its start; ends the run through fatal when the
// log is shorter than the header or cannot be read.
DbfHeader read_log_header(std::FILE* log);

// The field descriptors of the header, read on from just after its first HEADER_SIZE bytes up to
// its length or the end of the file; ends the run through fatal when the log cannot be read.
std::vector<FieldDescriptor> read_log_fields(std::FILE* log, const DbfHeader& header);

// Opens dxcc.txt in the current directory, or ends the run.
UniqueFile open_country_file();

// Loads the open dxcc.txt to its end; ends the run when the file cannot be read. Throws
// std::bad_alloc when memory runs out.
CountryTable load_countries(std::FILE* country_file);

}  // namespace t2c

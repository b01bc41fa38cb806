// Writes an accepted contact as one line of the import file.
#pragma once

#include <string>

#include "convert/import_record.h"

namespace t2c {

constexpr char FIELD_SEP = 0x19;

// Appends seventeen fields, each ended by FIELD_SEP, and CR LF. A 0x19, CR or LF inside a
// field's text is written as a blank, so that no log content can split or shift the line.
void append_import_line(const ImportRecord& record, std::string& line);

}  // namespace t2c

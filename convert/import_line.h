// Writes an accepted contact as one line of the import file.
#pragma once

#include <cstddef>
#include <string>

#include "convert/import_record.h"

namespace t2c {

constexpr char FIELD_SEP = 0x19;

// The most bytes write_import_line may use for record, within them bytes beyond the line's end
// (scratch that the next line overwrites): every text full, the prefix whole, and the
// separators, date punctuation and CR LF.
std::size_t import_line_room(const ImportRecord& record);

// Writes seventeen fields, each ended by FIELD_SEP, and CR LF, at to, which has
// import_line_room(record) bytes of room, and returns the end of the line. A 0x19, CR or LF
// inside a field text is written as a blank, so that no log content can split or shift the line.
char* write_import_line(const ImportRecord& record, char* to);

// The same line appended to out.
void write_import_line(const ImportRecord& record, std::string& out);

}  // namespace t2c

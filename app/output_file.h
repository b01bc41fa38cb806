// The output file of a run: opened at the start, so that an output that cannot be written ends
// the run before anything else is read, but left as it was until the run starts writing it.
#pragma once

#include <string>

#include "app/files.h"

namespace t2c {

struct OutputFile {
    UniqueFile file;
    std::string path;
    bool existed = false;  // an existing file, kept whole until started
    bool started = false;
};

// Opens the output for writing without emptying it, creating it when there is none; ends the
// run through fatal when it cannot be opened.
OutputFile open_output(const char* path);

// Empties an output that existed, once the inputs are read: from here on a failure keeps what
// was written. Ends the run through fatal when the file cannot be opened anew.
void start_output(OutputFile& output);

// After a failure: an output the run created but never started is removed, one that existed is
// left as it was; a started output keeps what was written.
void abandon_output(OutputFile& output);

}  // namespace t2c

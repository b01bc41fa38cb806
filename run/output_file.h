// The output file of a run: opened at the start, so that an output that cannot be written ends
// the run before anything else is read, but left as it was until the run starts writing it.
#pragma once

#include <string>
#include <string_view>

#include "run/files.h"

namespace t2c {

class OutputFile {
public:
    // Opens the output for writing without emptying it, creating it when there is none; ends
    // the run through fatal when it cannot be opened.
    explicit OutputFile(const char* path);
    // An output the run created but never started is removed, one that existed is left as it
    // was; a started output keeps what was written.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Empties an output that existed, once the inputs are read: from here on a failure keeps
    // what was written. Each write goes to the file at once.
    void start();
    void write(std::string_view bytes);
    void close();

private:
    UniqueFile file_;
    std::string path_;
    bool existed_ = false;
    bool started_ = false;
};

}  // namespace t2c

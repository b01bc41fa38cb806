// What the program prints, as both end-to-end test files expect it (LF line ends).
#pragma once

#include <string>

namespace t2c::expected {

inline const std::string BANNER =
    "Tarnwick2Corvane LogFile Converter, v1.10\n"
    "To get more info about the program please read README.TXT file.\n\n";
inline const std::string PROGRESS = "*** Conversion in progress...\n";

inline std::string summary(long processed, long converted) {
    return "*** Conversion completed.\nProcessed records:\t" + std::to_string(processed) +
           "\nConverted records:\t" + std::to_string(converted) + "\n";
}

inline std::string usage(const std::string& name) {
    return "Syntax:\n " + name + " tarnwick_file.dbf outfile.asc\n\n"
           "tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\n"
           "outfile.asc\t\toutput file to import in Corvane v6.xx\n";
}

}  // namespace t2c::expected

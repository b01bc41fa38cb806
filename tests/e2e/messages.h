// What the program prints on standard output around a conversion, as the end-to-end tests expect it.
#pragma once

#include <string>

namespace t2c::testing {

inline const std::string BANNER =
    "Tarnwick2Corvane LogFile Converter, v1.10\n"
    "To get more info about the program please read README.TXT file.\n\n";
inline const std::string PROGRESS = "*** Conversion in progress...\n";

inline std::string summary(long processed, long converted) {
    return std::string("*** Conversion completed.\nProcessed records:\t")
        .append(std::to_string(processed))
        .append("\nConverted records:\t")
        .append(std::to_string(converted))
        .append("\n");
}

}  // namespace t2c::testing

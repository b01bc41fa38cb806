#include "support/model.h"

#include <cstdio>
#include <map>
#include <optional>

#include "dbf/record_layout.h"

namespace t2c::model {

namespace {

using Countries = std::map<std::string, std::string, std::less<>>;

const std::string BANNER =
    "Tarnwick2Corvane LogFile Converter, v1.10\n"
    "To get more info about the program please read README.TXT file.\n\n";

std::string up_to(std::string_view text, char c) { return std::string(text.substr(0, text.find(c))); }

// The text before the first blank that a blank or the end follows.
std::string up_to_double_blank(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && (i + 1 == text.size() || text[i + 1] == ' ')) return text.substr(0, i);
    }
    return text;
}

std::optional<int> number(const std::string& text) {
    int value = 0;
    if (std::sscanf(text.c_str(), "%2d", &value) == 1) return value;
    return std::nullopt;
}

// Text mode: CR LF is LF and a Ctrl-Z ends the file; then lines of at most 249 characters, each
// ended after its LF, a zero byte ending what is read of it.
Countries read_countries(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\x1A'; ++i) {
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n') text.push_back(bytes[i]);
    }
    Countries countries;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start;
        while (end < text.size() && end - start < 249 && text[end++] != '\n') {
        }
        const std::string line = up_to(std::string_view(text).substr(start, end - start), '\0');
        start = end;
        if (!line.empty() && (line[0] == '#' || line[0] == '\n')) continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            countries[""] = "";
        } else {
            countries[up_to(line.substr(tab + 1, 50), '\n')] = line.substr(0, tab);
        }
    }
    return countries;
}

std::string text(std::string_view record, FieldSpan span) { return up_to(field(record, span), '\0'); }

std::string cleaned(std::string text) {
    for (char& c : text) {
        if (c == '\x19' || c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

struct Converter {
    const Countries& countries;
    int seconds_counter = 0;
    long long processed = 0;
    long long converted = 0;
    std::string lines = "";
    std::string reports = "";

    void reject(const std::string& what, const std::string& call) {
        reports += "ERROR: record " + std::to_string(processed) + ": " + what +
                   "\nThe record has been excluded from the conversion process.\nCALL: " + call + "\n\n";
    }

    void convert(std::string_view record) {
        ++processed;
        if (record[0] == '*') return;
        const std::string call = up_to(text(record, CALL), ' ');
        const int month = number(text(record, DATE_MONTH)).value_or(0);
        if (month < 1 || month > 12) return reject("invalid month [" + std::to_string(month) + "].", call);
        const int day = number(text(record, DATE_DAY)).value_or(0);
        if (day < 1 || day > 31) return reject("invalid day [" + std::to_string(day) + "].", call);
        std::string time = up_to(text(record, TIME_INI), ' ');
        if (time.empty()) return reject("empty TIME_INI field.", call);
        char stamp[4];
        std::snprintf(stamp, sizeof stamp, ":%02d", seconds_counter);
        time += stamp;
        seconds_counter = (seconds_counter + 1) % 60;
        const int hour = number(time.substr(0, 2)).value_or(-1);
        if (hour < 0 || hour > 23) return reject("invalid hour [" + std::to_string(hour) + "].", call);
        const int minute = number(time.substr(3, 2)).value_or(-1);
        if (minute < 0 || minute > 59) return reject("invalid minute [" + std::to_string(minute) + "].", call);

        const auto set = [&](FieldSpan flag) { return std::string_view("BDS").find(record[flag.offset]) < 3; };
        const std::string qsl = set(QSL_SENT) ? (set(QSL_RECEIVED) ? "X" : "S") : (set(QSL_RECEIVED) ? "R" : "");
        std::string comment = up_to(text(record, NAME), ' ');
        if (!comment.empty()) comment += '/';
        comment = up_to_double_blank(comment + text(record, PLACE));
        if (const std::string manager = up_to(text(record, MANAGER), ' '); !manager.empty()) {
            comment += "/QSL via " + manager;
        }
        std::string code2 = up_to(text(record, CODE2), ' ');
        if (code2.starts_with('*')) code2.clear();
        const auto country = countries.find(up_to_double_blank(text(record, COUNTRY)));

        static const char* const MONTHS[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                             "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
        std::string line =
            cleaned(text(record, DATE_DAY)) + "-" + MONTHS[month - 1] + "-" + cleaned(text(record, DATE_YEAR)) + " ";
        for (const std::string& field :
             {time, call, country == countries.end() ? std::string("??") : country->second, code2,
              up_to(text(record, BAND), 'm'), up_to(text(record, MODE), ' '),
              up_to(up_to(text(record, REPORT_SENT), ' '), '+'), up_to(up_to(text(record, REPORT_RECEIVED), ' '), '+'),
              qsl, comment, std::string(), up_to(text(record, FREQUENCY), ' '), std::string(),
              up_to(text(record, CODE6), ' '), std::string(), std::string(), std::string()}) {
            line += cleaned(field) + '\x19';
        }
        lines += line + "\r\n";
        ++converted;
    }
};

}  // namespace

Run convert(std::string_view dxcc, std::string_view log) {
    if (log.size() < 32) return {1, BANNER, "read(): input file: shorter than its 32-byte dBASE header\n", ""};
    const auto le16 = [&](std::size_t at) {
        return std::size_t{static_cast<unsigned char>(log[at])} | std::size_t{static_cast<unsigned char>(log[at + 1])} << 8;
    };
    const std::size_t header_length = le16(8);
    const std::size_t record_length = le16(10);
    const Countries countries = read_countries(dxcc);
    Converter converter{countries};
    for (std::size_t at = header_length; record_length != 0 && at < log.size() && log.size() - at >= record_length;
         at += record_length) {
        std::string record(log.substr(at, record_length));
        if (record.size() < FIELDS_END) record.resize(FIELDS_END, '\0');
        converter.convert(record);
    }
    return {0,
            BANNER + "*** Conversion in progress...\n*** Conversion completed.\nProcessed records:\t" +
                std::to_string(converter.processed) + "\nConverted records:\t" + std::to_string(converter.converted) +
                "\n",
            converter.reports, converter.lines};
}

}  // namespace t2c::model

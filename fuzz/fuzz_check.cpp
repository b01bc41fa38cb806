// The check and the converter on the same input, under AddressSanitizer and
// UndefinedBehaviorSanitizer: besides never crashing, overrunning or hanging, the check fails
// where the conversion fails, and only there, and elsewhere its forecast is what the conversion
// then does.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/run.h"
#include "check/check.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace t2c::fuzz;
using t2c::testing::read_file;

// The numbers of the forecast's first line, "N records: N contacts will be converted, N rejected,
// N deleted; N contacts get the prefix ??.", in that order.
std::vector<std::int64_t> forecast_numbers(std::string_view forecast) {
    std::vector<std::int64_t> numbers;
    const std::string_view first_line = forecast.substr(0, forecast.find('\n'));
    for (std::size_t at = first_line.find_first_of("0123456789"); at != std::string_view::npos;) {
        const std::size_t end = std::min(first_line.find_first_not_of("0123456789", at), first_line.size());
        numbers.push_back(std::atoll(std::string(first_line.substr(at, end - at)).c_str()));
        at = first_line.find_first_of("0123456789", end);
    }
    return numbers;
}

// The import lines whose prefix, the third field, is ??.
std::int64_t without_prefix(std::string_view lines) {
    std::int64_t found = 0;
    for (std::size_t at = 0; at < lines.size(); at = lines.find("\r\n", at) + 2) {
        const std::size_t call_end = lines.find('\x19', lines.find('\x19', at) + 1);
        found += lines.substr(call_end + 1, 3) == "??\x19" ? 1 : 0;
    }
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input input = write_input(data, size);
    const int check_code = run(t2c::run_check, {"tarnwick2corvane-check", "LOG.DBF"});
    const std::vector<std::int64_t> forecast = forecast_numbers(read_file("stdout"));
    const int code = run(t2c::run_converter, {"tarnwick2corvane", "LOG.DBF", "OUT.ASC"});
    require((check_code == 0 || check_code == 4 || check_code == 6) == (code == 0),
            "the check fails where the conversion does, and only there");
    if (code != 0) return 0;

    require(forecast.size() == 5, "a forecast on its first line");
    const std::string output = read_file("OUT.ASC");
    const std::int64_t converted = count(output, "\r\n"), rejected = count(read_file("stderr"), "ERROR: record ");
    require(forecast[0] == converted + rejected + forecast[3] && forecast[1] == converted && forecast[2] == rejected,
            "as many records, contacts converted, records rejected and deleted as forecast");
    // A line of dxcc.txt may give ?? itself.
    require(input.dxcc.find("??") != std::string_view::npos || forecast[4] == without_prefix(output),
            "as many contacts without a prefix as forecast");
    return 0;
}

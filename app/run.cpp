#include "app/run.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <string_view>
#include <utility>

#include "convert/convert_record.h"
#include "convert/import_line.h"
#include "country/text_lines.h"
#include "dbf/record_stream.h"

namespace t2c {

namespace {

constexpr int EXIT_INPUT = 1;
constexpr int EXIT_OUTPUT = 2;
constexpr int EXIT_USAGE = 3;
constexpr int EXIT_MEMORY = 5;

constexpr const char* COUNTRY_FILE_NAME = "dxcc.txt";
constexpr std::size_t OUTPUT_CHUNK = std::size_t{1} << 20;

// Ends the run: what failed, then why.
struct Fatal {
    const char* message;
    const char* reason;
    int code;
};

[[noreturn]] void fatal(const char* message, const char* reason, int code) {
    throw Fatal{message, reason, code};
}

[[noreturn]] void fatal(const char* message, int code) {
    fatal(message, std::strerror(errno), code);
}

// The program's name as the process received it, from after its last backslash on.
std::string_view program_name(const char* path) {
    const std::string_view name = path != nullptr ? path : "";
    const std::size_t backslash = name.rfind('\\');
    return backslash == std::string_view::npos ? name : name.substr(backslash + 1);
}

void print_usage(std::FILE* out, std::string_view name) {
    std::fprintf(out, "Syntax:\n %.*s tarnwick_file.dbf outfile.asc\n\n", static_cast<int>(name.size()),
                 name.data());
    std::fputs("tarnwick_file.dbf\tTarnwick or Tarnwick Lite 4.5 logfile\n", out);
    std::fputs("outfile.asc\t\toutput file to import in Corvane v6.xx\n", out);
}

void open_files(RunState& state, const char* source_path, const char* output_path) {
    state.source = open_file(source_path, "rb");
    if (!state.source) fatal("fopen(): input file", EXIT_INPUT);

    // Refused before anything is truncated: writing over the log or the country list would
    // destroy the very data being converted.
    if (same_file(output_path, source_path)) {
        fatal("fopen(): output file", "it is the input file", EXIT_OUTPUT);
    }
    if (same_file(output_path, COUNTRY_FILE_NAME)) {
        fatal("fopen(): output file", "it is the DXCC database file", EXIT_OUTPUT);
    }
    state.output = open_file(output_path, "wb");
    if (!state.output) fatal("fopen(): output file", EXIT_OUTPUT);
    // The run buffers whole chunks itself; unbuffered, every failed write shows at once.
    std::setvbuf(state.output.get(), nullptr, _IONBF, 0);

    unsigned char header[HEADER_SIZE] = {};
    if (std::fread(header, 1, sizeof header, state.source.get()) != sizeof header) {
        if (std::ferror(state.source.get()) != 0) fatal("read(): input file", EXIT_INPUT);
        fatal("read(): input file", "shorter than its 32-byte dBASE header", EXIT_INPUT);
    }
    state.header = read_header(header);

    state.country_file = open_file(COUNTRY_FILE_NAME, "rb");
    if (!state.country_file) fatal("fopen(): DXCC database file.", EXIT_INPUT);
}

void load_countries(RunState& state) {
    TextLines lines(state.country_file.get());
    std::error_code unknown_size;
    const std::uintmax_t size = std::filesystem::file_size(COUNTRY_FILE_NAME, unknown_size);
    try {
        state.countries = load_country_table(lines, unknown_size ? 0 : size);
    } catch (const std::bad_alloc&) {
        fatal("malloc()", std::strerror(ENOMEM), EXIT_MEMORY);
    }
    if (lines.failed()) fatal("read(): DXCC database file.", std::strerror(lines.error()), EXIT_INPUT);
}

void write_output(RunState& state) {
    OutputBuffer& buffer = state.output_buffer;
    if (std::fwrite(buffer.bytes.get(), 1, buffer.size, state.output.get()) != buffer.size) {
        fatal("write(): output file", EXIT_OUTPUT);
    }
    buffer.size = 0;
}

void finish_output(RunState& state) {
    write_output(state);
    if (std::fflush(state.output.get()) != 0) fatal("write(): output file", EXIT_OUTPUT);
    if (std::fclose(state.output.release()) != 0) fatal("write(): output file", EXIT_OUTPUT);
}

// Room for a line of record behind the lines already waiting; a line longer than any before
// (a very long prefix) has the buffer grown.
char* room_for_line(OutputBuffer& buffer, const ImportRecord& record) {
    const std::size_t room = import_line_room(record);
    if (buffer.capacity - buffer.size < room) {
        const std::size_t capacity = buffer.size + room;
        auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(bytes.get(), buffer.bytes.get(), buffer.size);
        buffer.bytes = std::move(bytes);
        buffer.capacity = capacity;
    }
    return buffer.bytes.get() + buffer.size;
}

void convert_records(RunState& state, std::FILE* err) {
    if (std::fseek(state.source.get(), state.header.header_length, SEEK_SET) != 0) {
        fatal("read(): input file", EXIT_INPUT);
    }
    state.output_buffer.bytes = std::make_unique_for_overwrite<char[]>(OUTPUT_CHUNK + 4096);
    state.output_buffer.capacity = OUTPUT_CHUNK + 4096;
    RecordStream records(state.source.get(), state.header.record_length);
    while (const auto record = records.read_record()) {
        ++state.counters.processed;
        const ConvertResult result =
            convert_record(*record, state.countries, state.seconds_counter, state.import_record);
        if (result.verdict == Verdict::accepted) {
            OutputBuffer& buffer = state.output_buffer;
            const char* end = write_import_line(state.import_record, room_for_line(buffer, state.import_record));
            buffer.size = static_cast<std::size_t>(end - buffer.bytes.get());
            ++state.counters.converted;
            if (buffer.size >= OUTPUT_CHUNK) write_output(state);
        } else if (result.verdict == Verdict::rejected) {
            write_rejection_report(err, state.counters.processed, result, state.import_record);
        }
    }
    if (records.failed()) {
        // Keep every line converted so far before giving up on the rest of the log.
        write_output(state);
        fatal("read(): input file", std::strerror(records.error()), EXIT_INPUT);
    }
}

int convert(RunState& state, int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    std::fputs("Tarnwick2Corvane LogFile Converter, v1.10\n", out);
    std::fputs("To get more info about the program please read README.TXT file.\n\n", out);
    if (argc != 3) {
        print_usage(out, program_name(argc > 0 ? argv[0] : nullptr));
        return EXIT_USAGE;
    }
    open_files(state, argv[1], argv[2]);
    load_countries(state);
    std::fputs("*** Conversion in progress...\n", out);
    convert_records(state, err);
    std::fflush(err);
    finish_output(state);
    std::fprintf(out, "*** Conversion completed.\nProcessed records:\t%lld\nConverted records:\t%lld\n",
                 static_cast<long long>(state.counters.processed),
                 static_cast<long long>(state.counters.converted));
    state.source.reset();
    state.country_file.reset();
    return 0;
}

int report(const Fatal& failure, std::FILE* err) {
    std::fprintf(err, "%s: %s\n", failure.message, failure.reason);
    // Out now, behind the reports, as if standard error were unbuffered; what the program
    // printed on standard output follows at exit, as it always did.
    std::fflush(err);
    return failure.code;
}

}  // namespace

int run(RunState& state, int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return convert(state, argc, argv, out, err);
    } catch (const Fatal& failure) {
        return report(failure, err);
    } catch (const std::bad_alloc&) {
        // Memory can also run out after the table is loaded (the read and write buffers), when a
        // large dxcc.txt took nearly all of it: the same report as in the table, never an abort.
        return report({"malloc()", std::strerror(ENOMEM), EXIT_MEMORY}, err);
    }
}

}  // namespace t2c

#include "app/conversion.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "app/fatal.h"
#include "convert/convert_record.h"
#include "convert/import_line.h"
#include "dbf/record_stream.h"

namespace t2c {

namespace {

// The log is taken in chunks of records by a few workers, each converting its chunk on a
// thread of its own while the others convert theirs. The chunks are read one after another
// and written one after another, in the order of the log, so the output and the reports are
// the very bytes of a single worker going through the log record by record.
//
// Each worker reads, converts and writes with buffers of its own: handing converted records
// from one thread to another cost more in traffic between the processors' caches than it
// saved.
constexpr std::size_t CHUNK_RECORDS = 4096;
constexpr unsigned MAX_WORKERS = 4;

// Import lines not yet written. Lines are written straight into its room: a string would
// zero-fill the room for each line before the line overwrites it.
struct OutputBuffer {
    std::unique_ptr<char[]> bytes;
    std::size_t capacity = 0;
    std::size_t size = 0;
};

struct Rejection {
    std::int64_t number;
    ConvertResult result;
    ImportRecord record;  // for the call
};

// One worker's chunk of the log, and what converting it gave, waiting for its turn to be
// written.
struct Share {
    Share(std::FILE* source, std::size_t record_length) : records(source, record_length, CHUNK_RECORDS) {
        lines.capacity = CHUNK_RECORDS * (sizeof(ImportRecord) + 64);
        lines.bytes = std::make_unique_for_overwrite<char[]>(lines.capacity);
        rejections.reserve(CHUNK_RECORDS);
    }

    RecordStream records;
    std::size_t count = 0;          // records in the chunk
    std::int64_t chunk = 0;         // its place among the chunks of the log, from 0
    std::int64_t first_number = 0;  // the number of its first record
    int seconds_counter = 0;        // the counter at its first record
    ImportRecord import_record{};
    OutputBuffer lines;
    std::int64_t converted = 0;
    std::vector<Rejection> rejections;
};

// What the workers take turns at: reading the log, and writing what they made of it.
struct Turns {
    std::mutex reading;
    std::int64_t chunks_read = 0;
    bool log_done = false;
    int read_error = 0;  // errno of a failed read of the log

    std::mutex writing;
    std::condition_variable chunk_written;
    std::int64_t chunks_written = 0;
    std::atomic<bool> stopped = false;  // a worker failed: no more chunks are read or written
    std::exception_ptr failure;         // the first failure
};

// Takes the next chunk of the log into the share; false once the log has no more. Also moves
// the run's seconds counter past the chunk, so that the next chunk can be converted at once.
bool read_share(RunState& state, Turns& turns, Share& share) {
    std::lock_guard lock(turns.reading);
    if (turns.log_done || turns.stopped) return false;
    share.count = share.records.read_chunk();
    if (share.count == 0 || share.records.failed() || share.records.at_end()) {
        turns.log_done = true;
        if (share.records.failed()) turns.read_error = share.records.error();
    }
    if (share.count == 0) return false;
    share.chunk = turns.chunks_read++;
    share.first_number = state.counters.processed + 1;
    state.counters.processed += static_cast<std::int64_t>(share.count);
    share.seconds_counter = state.seconds_counter;
    for (std::size_t i = 0; i < share.count; ++i) {
        if (stamps_seconds(share.records.read_record(i))) {
            state.seconds_counter = state.seconds_counter == 59 ? 0 : state.seconds_counter + 1;
        }
    }
    return true;
}

// Room for a line of record behind the lines already waiting; a line longer than any before
// (a very long prefix) has the buffer grown.
char* room_for_line(OutputBuffer& buffer, const ImportRecord& record) {
    const std::size_t room = import_line_room(record);
    if (buffer.capacity - buffer.size < room) {
        const std::size_t capacity = std::max(2 * buffer.capacity, buffer.size + room);
        auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(bytes.get(), buffer.bytes.get(), buffer.size);
        buffer.bytes = std::move(bytes);
        buffer.capacity = capacity;
    }
    return buffer.bytes.get() + buffer.size;
}

void convert_share(const RunState& state, Share& share) {
    share.lines.size = 0;
    share.converted = 0;
    share.rejections.clear();
    int seconds_counter = share.seconds_counter;
    for (std::size_t i = 0; i < share.count; ++i) {
        const ConvertResult result =
            convert_record(share.records.read_record(i), state.countries, seconds_counter, share.import_record);
        if (result.verdict == Verdict::accepted) {
            const char* end = write_import_line(share.import_record, room_for_line(share.lines, share.import_record));
            share.lines.size = static_cast<std::size_t>(end - share.lines.bytes.get());
            ++share.converted;
        } else if (result.verdict == Verdict::rejected) {
            share.rejections.push_back({share.first_number + static_cast<std::int64_t>(i), result, share.import_record});
        }
    }
}

// Once every chunk before it is written: the share's reports, then its lines.
void write_share(RunState& state, Turns& turns, const Share& share, std::FILE* err) {
    std::unique_lock lock(turns.writing);
    turns.chunk_written.wait(lock, [&] { return turns.stopped || turns.chunks_written == share.chunk; });
    if (turns.stopped) return;
    for (const Rejection& rejection : share.rejections) {
        write_rejection_report(err, rejection.number, rejection.result, rejection.record);
    }
    if (std::fwrite(share.lines.bytes.get(), 1, share.lines.size, state.output.get()) != share.lines.size) {
        fatal("write(): output file", EXIT_OUTPUT);
    }
    state.counters.converted += share.converted;
    ++turns.chunks_written;
    lock.unlock();
    turns.chunk_written.notify_all();
}

// A worker's whole part of the run. A failure stops every worker at its next turn, and is
// kept for the run to report once they have all ended.
void work(RunState& state, Turns& turns, Share& share, std::FILE* err) {
    try {
        while (read_share(state, turns, share)) {
            convert_share(state, share);
            write_share(state, turns, share, err);
        }
    } catch (...) {
        {
            std::lock_guard lock(turns.writing);
            if (!turns.failure) turns.failure = std::current_exception();
            turns.stopped = true;
        }
        turns.chunk_written.notify_all();
    }
}

}  // namespace

unsigned useful_workers() {
    const unsigned processors = std::thread::hardware_concurrency();
    return processors == 0 ? 2 : std::min(processors, MAX_WORKERS);
}

void convert_records(RunState& state, std::FILE* err, unsigned workers) {
    if (std::fseek(state.source.get(), state.header.header_length, SEEK_SET) != 0) {
        fatal("read(): input file", EXIT_INPUT);
    }
    Turns turns;
    Share first(state.source.get(), state.header.record_length);

    // The others join as far as memory and threads allow; with none, this thread converts the
    // whole log alone, to the same effect.
    std::vector<std::unique_ptr<Share>> shares;
    std::vector<std::thread> helpers;
    try {
        helpers.reserve(workers);
        for (unsigned i = 1; i < workers; ++i) {
            shares.push_back(std::make_unique<Share>(state.source.get(), state.header.record_length));
            helpers.emplace_back(work, std::ref(state), std::ref(turns), std::ref(*shares.back()), err);
        }
    } catch (const std::bad_alloc&) {
    } catch (const std::system_error&) {
    }
    work(state, turns, first, err);
    for (std::thread& helper : helpers) helper.join();

    if (turns.failure) std::rethrow_exception(turns.failure);
    // Every line before the failed read is written; the rest of the log is given up.
    if (turns.read_error != 0) fatal_system("read(): input file", turns.read_error, EXIT_INPUT);
}

}  // namespace t2c

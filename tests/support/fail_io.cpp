// Preloaded into the converter (LD_PRELOAD) by the end-to-end tests, it makes one file fail as
// a bad disk does, or standard output behave as on a console:
//   T2C_FAIL_FILE         the path, as the program opens it, of the file that fails
//   T2C_FAIL_READ_AFTER   reading it fails with EIO once that many bytes were read
//   T2C_FAIL_WRITE_AFTER  writing it fails with ENOSPC once that many bytes were written
//   T2C_FAIL_ERRNO        the errno a failed read leaves instead of EIO (0: none, as some systems do)
//   T2C_LINE_BUFFERED     standard output is line-buffered
// Built without sanitizers: it runs before any of their runtimes could be set up for it.
#include <dlfcn.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::FILE* failing = nullptr;

long long budget(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoll(value) : -1;
}

long long read_left = budget("T2C_FAIL_READ_AFTER");
long long write_left = budget("T2C_FAIL_WRITE_AFTER");

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

using Transfer = std::size_t (*)(void*, std::size_t, std::size_t, std::FILE*);

// Moves what the budget still allows; once the request outruns it, the stream is in error, as
// after a failed system call.
std::size_t within(Transfer transfer, void* data, std::size_t size, std::size_t count, std::FILE* file,
                   long long& left, int error) {
    if (file != failing || left < 0 || size == 0) return transfer(data, size, count, file);
    const std::size_t allowed = std::min(count, static_cast<std::size_t>(left) / size);
    const std::size_t moved = transfer(data, size, allowed, file);
    left -= static_cast<long long>(moved * size);
    if (moved == allowed && allowed < count) {
        file->_flags |= _IO_ERR_SEEN;
        errno = error;
    }
    return moved;
}

__attribute__((constructor)) void set_up_console() {
    if (std::getenv("T2C_LINE_BUFFERED") != nullptr) std::setvbuf(stdout, nullptr, _IOLBF, 0);
}

}  // namespace

extern "C" std::FILE* fopen64(const char* path, const char* mode) {
    static const auto open = next<std::FILE* (*)(const char*, const char*)>("fopen64");
    std::FILE* file = open(path, mode);
    const char* target = std::getenv("T2C_FAIL_FILE");
    if (file != nullptr && target != nullptr && std::strcmp(path, target) == 0) failing = file;
    return file;
}

extern "C" std::size_t fread(void* data, std::size_t size, std::size_t count, std::FILE* file) {
    static const auto read = next<Transfer>("fread");
    static const long long error = budget("T2C_FAIL_ERRNO");
    return within(read, data, size, count, file, read_left, error < 0 ? EIO : static_cast<int>(error));
}

extern "C" std::size_t fwrite(const void* data, std::size_t size, std::size_t count, std::FILE* file) {
    static const auto write = next<std::size_t (*)(const void*, std::size_t, std::size_t, std::FILE*)>("fwrite");
    const auto transfer = [](void* bytes, std::size_t item, std::size_t items, std::FILE* stream) {
        return write(bytes, item, items, stream);
    };
    return within(transfer, const_cast<void*>(data), size, count, file, write_left, ENOSPC);
}

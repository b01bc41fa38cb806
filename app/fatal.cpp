#include "app/fatal.h"

#include <new>

namespace t2c {

namespace {

int report(const Fatal& failure, std::FILE* err) {
    std::fprintf(err, "%s: %s\n", failure.message, failure.reason);
    // Out now, behind the reports, as if standard error were unbuffered; what the program
    // printed on standard output follows at exit, as it always did.
    std::fflush(err);
    return failure.code;
}

}  // namespace

int report_failure(std::FILE* err, const std::function<int()>& body) {
    try {
        return body();
    } catch (const Fatal& failure) {
        return report(failure, err);
    } catch (const std::bad_alloc&) {
        // Anywhere: loading a large dxcc.txt, or the buffers after it.
        return report({"malloc()", std::strerror(ENOMEM), EXIT_MEMORY}, err);
    }
}

}  // namespace t2c

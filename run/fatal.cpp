#include "run/fatal.h"

#include <new>

namespace t2c {

int report_failure(std::FILE* err) {
    Fatal failure{};
    try {
        throw;
    } catch (const Fatal& thrown) {
        failure = thrown;
    } catch (const std::bad_alloc&) {
        // Anywhere: loading a large dxcc.txt, or the buffers after it.
        failure = {"malloc()", std::strerror(ENOMEM), EXIT_MEMORY};
    }
    std::fprintf(err, "%s: %s\n", failure.message, failure.reason);
    // Out now, behind the reports, as if standard error were unbuffered; what the program
    // printed on standard output follows at exit, as it always did.
    std::fflush(err);
    return failure.code;
}

}  // namespace t2c

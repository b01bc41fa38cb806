#include "app/files.h"

#include <sys/stat.h>

namespace t2c {

bool same_file(const char* path, const char* other_path) {
    struct stat a {};
    struct stat b {};
    if (stat(path, &a) != 0 || stat(other_path, &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace t2c

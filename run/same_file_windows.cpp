#include "run/files.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace t2c {

namespace {

// Opens only to ask what the file is: no read or write access, and sharing everything, so a file
// the run (or any other program) holds open can still be asked about. Folders need the
// backup-semantics flag to be opened at all. The narrow call reads the path in the same code
// page as fopen does, so both see the same file.
HANDLE open_for_query(const char* path) {
    return CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool identify(const char* path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE file = open_for_query(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

// Windows names one file in many ways (case, short names, "." and "..", drive or UNC prefixes,
// links); the volume serial number and the file index are what stays the same.
bool same_file(const char* path, const char* other_path) {
    BY_HANDLE_FILE_INFORMATION a{};
    BY_HANDLE_FILE_INFORMATION b{};
    if (!identify(path, a) || !identify(other_path, b)) return false;
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace t2c

#include "util/PathPredicates.h"

#include "util/TextRules.h"

namespace {

// Windows creates this hidden folder in the root of most drives as soon as they are mounted,
// also right after a format; it holds no data of the user's.
bool IsSystemVolumeInformation(const DirectoryEntry& entry) {
    return entry.directory && FoldAsciiCase(entry.name) == "system volume information";
}

}  // namespace

bool IsDirectory(SystemServices& system, const Text& path) {
    return system.PathIsDirectoryA(path) != 0;
}

bool FileExistsExact(SystemServices& system, const Text& path) {
    return system.PathFileExistsA(path) == 1;
}

bool IsDirectoryEmpty(SystemServices& system, const Text& path) {
    if (system.PathIsDirectoryEmptyA(path) != 0) return true;
    // A drive root lists no "." or "..", so the shell's test never calls one empty.
    std::vector<DirectoryEntry> entries;
    if (!system.ListDirectory(path, entries)) return false;
    return entries.empty() || (entries.size() == 1 && IsSystemVolumeInformation(entries[0]));
}

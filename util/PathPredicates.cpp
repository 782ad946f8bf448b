#include "util/PathPredicates.h"

bool IsDirectory(SystemServices& system, const Text& path) {
    return system.PathIsDirectoryA(path) != 0;
}

bool FileExistsExact(SystemServices& system, const Text& path) {
    return system.PathFileExistsA(path) == 1;
}

bool IsDirectoryEmpty(SystemServices& system, const Text& path) {
    return system.PathIsDirectoryEmptyA(path) != 0 || system.DirectoryListsNoEntries(path);
}

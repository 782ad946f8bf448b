#pragma once
#include "platform/SystemServices.h"

// Named wrappers of the shell's path tests. None of them changes the path.
bool IsDirectory(SystemServices& system, const Text& path);
// The shell's exists-test answering exactly 1; a directory of that name counts too.
bool FileExistsExact(SystemServices& system, const Text& path);
// An existing directory without entries. A directory whose listing finds nothing at all (an
// empty drive root, which has no "." or "..") is empty too, and so is one whose only entry is
// the system's own "System Volume Information" folder. A directory that cannot be listed is
// not empty.
bool IsDirectoryEmpty(SystemServices& system, const Text& path);

#pragma once
#include "platform/SystemServices.h"

// Makes sure the directory exists with every missing level above it.
//   -1: the path is blank, or a level could not be made (the levels this call made below the
//       deepest level that already existed are removed again; nothing that existed before)
//    0: the whole path already was a directory
//    1: every missing level was made
// On 0 and 1 the caller's path ends with one "\"; one trailing "\" is taken off first.
int CreateDirectoryTree(SystemServices& system, Text& path);

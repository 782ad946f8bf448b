#include "platform/win32/SystemLibrary.h"

#include <string>

#include "platform/PathText.h"

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32 is understood exactly where SetDefaultDllDirectories exists.
bool SearchFlagsUnderstood() {
    return FindLibrarySearchFunctions().setDefaultDllDirectories != nullptr;
}

}  // namespace

HMODULE SystemLibrary::Module() {
    if (module_) return module_;
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::string path(folder, length);
    if (!EndsWithSeparator(path)) path += '\\';
    path += fileName_;
    // The libraries this one loads in turn come from the system directory too.
    module_ = SearchFlagsUnderstood() ? LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)
                                      : LoadLibraryA(path.c_str());
    return module_;
}

SystemLibrary& Shell32Library() {
    static SystemLibrary library("shell32.dll");
    return library;
}

SystemLibrary& ShlwapiLibrary() {
    static SystemLibrary library("shlwapi.dll");
    return library;
}

SystemLibrary& Comdlg32Library() {
    static SystemLibrary library("comdlg32.dll");
    return library;
}

LibrarySearchFunctions FindLibrarySearchFunctions() {
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    LibrarySearchFunctions functions{};
    if (!kernel32) return functions;
    functions.setDefaultDllDirectories = reinterpret_cast<decltype(functions.setDefaultDllDirectories)>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
    functions.setDllDirectoryA = reinterpret_cast<decltype(functions.setDllDirectoryA)>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDllDirectoryA")));
    return functions;
}

bool RestrictLibrarySearch(const LibrarySearchFunctions& functions) {
    if (functions.setDefaultDllDirectories && functions.setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return true;
    }
    return functions.setDllDirectoryA && functions.setDllDirectoryA("");
}

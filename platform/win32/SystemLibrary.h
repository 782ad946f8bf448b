#pragma once
#include <windows.h>

// A system DLL loaded on first use from the system directory (never from the program's or the
// current folder), whose functions are bound by name. Start-up then pays only for the
// libraries it needs; the shell and the common dialogs come in with the first command.
class SystemLibrary {
public:
    explicit SystemLibrary(const char* fileName) : fileName_(fileName) {}
    ~SystemLibrary() {
        if (module_) FreeLibrary(module_);
    }
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The named function, or null when the library or the function is not there.
    template <typename Function>
    Function Bind(const char* name) {
        HMODULE module = Module();
        return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
    }

private:
    HMODULE Module();

    const char* fileName_;
    HMODULE module_ = nullptr;
};

// The libraries the program binds by name. They live until the process ends, so they are
// freed only after OLE, which may still use what the shell and the dialogs loaded, has been
// uninitialised on the way out.
SystemLibrary& Shell32Library();
SystemLibrary& ShlwapiLibrary();
SystemLibrary& Comdlg32Library();

// The library search functions of kernel32 that this system offers (either may be null:
// SetDefaultDllDirectories came with Windows 8 and an update for Vista and 7).
struct LibrarySearchFunctions {
    BOOL(WINAPI* setDefaultDllDirectories)(DWORD directoryFlags);
    BOOL(WINAPI* setDllDirectoryA)(LPCSTR directory);
};
LibrarySearchFunctions FindLibrarySearchFunctions();

// Restricts where the process looks for libraries named without a path: the system directory
// only where SetDefaultDllDirectories exists, else at least not the current folder. The
// program is often started from a download folder or a setup medium with administrator
// rights, and after the file dialog the current folder is the image's. False when neither
// restriction could be made.
bool RestrictLibrarySearch(const LibrarySearchFunctions& functions);

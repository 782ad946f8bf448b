#pragma once
#include <windows.h>

#include <string>

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
    HMODULE Module() {
        if (!module_) {
            char folder[MAX_PATH];
            const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
            if (length == 0 || length >= MAX_PATH) return nullptr;
            module_ = LoadLibraryA((std::string(folder, length) + "\\" + fileName_).c_str());
        }
        return module_;
    }

    const char* fileName_;
    HMODULE module_ = nullptr;
};

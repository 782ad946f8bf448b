#include <ole2.h>
#include <windows.h>

#include <string>

#include "app/Application.h"
#include "platform/PathText.h"
#include "platform/win32/SystemLibrary.h"

namespace {

// OLE for the user-interface thread, uninitialised on the way out.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};

// The folder of the program file becomes the current directory, so that DriverBox1 starts on
// the drive the program was started from.
void SetCurrentDirectoryToProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::string folder(path, length);
    const std::size_t separator = LastSeparator(folder);
    if (separator == std::string::npos) return;
    folder.resize(separator + 1);
    SetCurrentDirectoryA(folder.c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch(FindLibrarySearchFunctions());  // before anything can load a library
    OleSession ole;
    SetCurrentDirectoryToProgramFolder();
    Application application;
    if (!application.Start()) {
        MessageBoxA(nullptr, "无法创建主窗口，程序即将退出。", "Vandrell", MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return -1;
    }
    return application.Run();
}

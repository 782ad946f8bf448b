// Vandrell's benchmarks under Wine. Each mode prints "name value unit" lines; bench/run.sh
// runs them several times and prints the medians against their targets.
//   startup  EXE CLASS           ms from process start to the window being visible; then the
//                                process's peak working set after one second of idling
//   idle     EXE CLASS SECONDS   CPU time of the running, idle window over SECONDS
//   deploy   FILE                ms that the start-up deployment adds when the system directory
//                                lacks imagex.exe (OnWindowCreated with FILE as the payload,
//                                missing minus present), and ms for CopyFileA of the same file
//   tick     COUNT               CPU time of one waiting poll tick, averaged over COUNT ticks
#include <psapi.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/Win32SystemServices.h"
#include "platform/win32/Win32WindowServices.h"
#include "workflow/Workflow.h"

namespace {

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

struct Find {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* find = reinterpret_cast<Find*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == find->processId && lstrcmpA(name, find->className) == 0 && IsWindowVisible(window)) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

class Started {
public:
    Started(const char* exe, const char* className) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = std::string("\"") + exe + "\"";
        const double start = NowMs();
        if (!CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
            return;
        Find find{info_.dwProcessId, className, nullptr};
        while (!find.found && NowMs() - start < 60000) {
            EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&find));
            if (!find.found) Sleep(1);
        }
        window_ = find.found;
        visibleAfterMs_ = NowMs() - start;
    }
    ~Started() {
        if (!info_.hProcess) return;
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    bool Visible() const { return window_ != nullptr; }
    double VisibleAfterMs() const { return visibleAfterMs_; }
    HANDLE Process() const { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
    double visibleAfterMs_ = 0;
};

int Startup(const char* exe, const char* className) {
    Started program(exe, className);
    if (!program.Visible()) return 1;
    std::printf("startup_ms %.2f\n", program.VisibleAfterMs());
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(program.Process(), &memory, sizeof memory)) {
        std::printf("peak_working_set_kb %.0f\n", memory.PeakWorkingSetSize / 1024.0);
    }
    return 0;
}

int Idle(const char* exe, const char* className, int seconds) {
    Started program(exe, className);
    if (!program.Visible()) return 1;
    Sleep(500);  // let start-up settle
    const double before = CpuMs(program.Process());
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double after = CpuMs(program.Process());
    std::printf("idle_cpu_ms %.2f\n", after - before);
    return 0;
}

std::string ReadAll(const char* path) {
    std::string bytes;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

int Deploy(const char* file) {
    const std::string tool = ReadAll(file);
    if (tool.empty()) return 1;
    Win32SystemServices system;
    Win32WindowServices window({});
    Payloads payloads{{reinterpret_cast<const std::uint8_t*>(tool.data()), tool.size()}, {}};
    Workflow workflow(system, window, payloads);
    const std::string target = system.GetSystemDirectoryPath() + "imagex.exe";
    const std::string copy = system.GetSystemDirectoryPath() + "vandrell-bench-copy.exe";

    DeleteFileA(target.c_str());
    double start = NowMs();
    workflow.OnWindowCreated();
    const double missing = NowMs() - start;
    if (ReadAll(target.c_str()) != tool) return 1;
    start = NowMs();
    workflow.OnWindowCreated();
    const double present = NowMs() - start;

    DeleteFileA(copy.c_str());
    start = NowMs();
    const BOOL copied = CopyFileA(file, copy.c_str(), FALSE);
    const double copying = NowMs() - start;
    DeleteFileA(copy.c_str());
    if (!copied) return 1;
    std::printf("deploy_added_ms %.3f\ncopy_ms %.3f\n", missing - present, copying);
    return 0;
}

double ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Waiting ticks need a process named imagex.exe: a copy of this program that sleeps.
int Tick(int count) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string imagex = std::string(folder) + "imagex.exe";
    CopyFileA(self, imagex.c_str(), FALSE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION sleeper{};
    std::string commandLine = "imagex.exe sleep";
    if (!CreateProcessA(imagex.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &sleeper)) {
        return 1;
    }
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    Win32WindowServices::Parts parts;
    parts.mainWindow = parent;
    parts.controls[Control::Button1] =
        CreateWindowExA(0, "BUTTON", "b1", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    parts.controls[Control::Button2] =
        CreateWindowExA(0, "BUTTON", "b2", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    Win32SystemServices system;
    Win32WindowServices window(parts);
    Payloads payloads;
    Workflow workflow(system, window, payloads);
    window.SetTimerPeriod(300);
    Sleep(300);
    const double before = ThreadCpuMs();
    for (int i = 0; i < count; ++i) workflow.OnPollTimer();
    const double perTick = (ThreadCpuMs() - before) / count;
    const bool stillWaiting = window.GetTimerPeriod() == 300;
    TerminateProcess(sleeper.hProcess, 0);
    WaitForSingleObject(sleeper.hProcess, 5000);
    CloseHandle(sleeper.hProcess);
    CloseHandle(sleeper.hThread);
    DeleteFileA(imagex.c_str());
    DestroyWindow(parent);
    if (!stillWaiting) return 1;
    std::printf("tick_cpu_ms %.4f\n", perTick);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "sleep") {
        Sleep(INFINITE);
        return 0;
    }
    if (mode == "startup" && argc == 4) return Startup(argv[2], argv[3]);
    if (mode == "idle" && argc == 5) return Idle(argv[2], argv[3], std::atoi(argv[4]));
    if (mode == "deploy" && argc == 3) return Deploy(argv[2]);
    if (mode == "tick" && argc == 3) return Tick(std::atoi(argv[2]));
    std::fprintf(stderr, "usage: vandrell_bench startup|idle|deploy|tick ...\n");
    return 2;
}

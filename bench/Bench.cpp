// Vandrell's benchmarks under Wine. Each mode prints "name value unit" lines; bench/run.sh
// runs them several times and prints the medians against their targets.
//   startup  EXE CLASS           ms from process start to the window being visible; then the
//                                process's peak working set after one second of idling
//   idle     EXE CLASS SECONDS   CPU time of the running, idle window over SECONDS
//   deploy   FILE                ms that the start-up deployment adds when the system directory
//                                lacks imagex.exe (OnWindowCreated with FILE as the payload,
//                                missing minus present), and ms for CopyFileA of the same file
//   tick     COUNT EXTRA         CPU time of one waiting poll tick that takes the process
//                                snapshot (an imagex.exe of someone else's runs), averaged over
//                                COUNT ticks, with EXTRA more sleeping processes running
//   owntick  COUNT EXTRA         the same while the install command's own imaging run is alive
//                                (E: must be an empty drive)
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <memory>
#include <vector>

#include "platform/win32/Win32SystemServices.h"
#include "platform/win32/Win32WindowServices.h"
#include "tests/fakes/FakeWindow.h"
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

std::string SelfPath() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return self;
}

std::string TempFolder() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

// Copies of this program that sleep until a stop file appears, started under a chosen name.
class Sleepers {
public:
    Sleepers(const std::string& name, int count) : stop_(TempFolder() + "vandrell-bench.stop") {
        DeleteFileA(stop_.c_str());
        path_ = TempFolder() + name;
        CopyFileA(SelfPath().c_str(), path_.c_str(), FALSE);
        for (int i = 0; i < count; ++i) {
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION info{};
            std::string commandLine = "\"" + path_ + "\" sleep \"" + stop_ + "\"";
            if (!CreateProcessA(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &info)) {
                continue;
            }
            CloseHandle(info.hThread);
            processes_.push_back(info.hProcess);
        }
        Sleep(500 + 20 * count);  // let them all start
    }
    ~Sleepers() {
        HANDLE stop = CreateFileA(stop_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (stop != INVALID_HANDLE_VALUE) CloseHandle(stop);
        for (HANDLE process : processes_) {
            if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) TerminateProcess(process, 0);
            CloseHandle(process);
        }
        DeleteFileA(path_.c_str());
        DeleteFileA(stop_.c_str());
    }
    int Count() const { return static_cast<int>(processes_.size()); }

private:
    std::string stop_, path_;
    std::vector<HANDLE> processes_;
};

int SleepUntil(const char* stopFile) {
    for (int i = 0; i < 6000 && GetFileAttributesA(stopFile) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    return 0;
}

double MeasureTicks(Workflow& workflow, int count) {
    const double before = ThreadCpuMs();
    for (int i = 0; i < count; ++i) workflow.OnPollTimer();
    return (ThreadCpuMs() - before) / count;
}

// Waiting ticks that take the snapshot: an imagex.exe that is not the program's own runs.
int Tick(int count, int extra) {
    Sleepers foreign("imagex.exe", 1);
    Sleepers others("vandrell-sleeper.exe", extra);
    if (foreign.Count() != 1 || others.Count() != extra) return 1;
    Win32SystemServices system;
    FakeWindow window;
    Payloads payloads;
    Workflow workflow(system, window, payloads);
    window.SetTimerPeriod(300);
    const double perTick = MeasureTicks(workflow, count);
    if (window.GetTimerPeriod() != 300) return 1;
    std::printf("tick_cpu_ms %.4f\n", perTick);
    return 0;
}

// Waiting ticks while the install command's own run (a sleeping copy of this program deployed
// as the system directory's imagex.exe) is alive.
int OwnTick(int count, int extra) {
    Win32SystemServices system;
    const std::string tool = system.GetSystemDirectoryPath() + "imagex.exe";
    const std::string stop = TempFolder() + "vandrell-own-run.stop";
    DeleteFileA(stop.c_str());
    if (!CopyFileA(SelfPath().c_str(), tool.c_str(), FALSE)) return 1;
    SetEnvironmentVariableA("VANDRELL_BENCH_STOP", stop.c_str());
    Sleepers others("vandrell-sleeper.exe", extra);
    FakeWindow window;
    window.texts[Control::EditBox1] = SelfPath();
    window.boxAnswers = {MessageResult::Yes};
    Payloads payloads;
    double perTick = -1;
    {
        Workflow workflow(system, window, payloads);
        workflow.OnInstallClicked();
        if (window.GetTimerPeriod() == 300) {
            Sleep(300);
            perTick = MeasureTicks(workflow, count);
        }
        const bool stillWaiting = window.GetTimerPeriod() == 300;
        HANDLE file = CreateFileA(stop.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        if (!stillWaiting) perTick = -1;
    }
    Sleep(500);
    DeleteFileA(tool.c_str());
    DeleteFileA(stop.c_str());
    if (perTick < 0) return 1;
    std::printf("own_tick_cpu_ms %.4f\n", perTick);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "sleep" && argc == 3) return SleepUntil(argv[2]);
    if (mode == "/apply") {  // started as the install command's imaging run
        char stop[MAX_PATH] = {};
        GetEnvironmentVariableA("VANDRELL_BENCH_STOP", stop, MAX_PATH);
        return SleepUntil(stop);
    }
    if (mode == "startup" && argc == 4) return Startup(argv[2], argv[3]);
    if (mode == "idle" && argc == 5) return Idle(argv[2], argv[3], std::atoi(argv[4]));
    if (mode == "deploy" && argc == 3) return Deploy(argv[2]);
    if (mode == "tick" && argc == 4) return Tick(std::atoi(argv[2]), std::atoi(argv[3]));
    if (mode == "owntick" && argc == 4) return OwnTick(std::atoi(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: vandrell_bench startup|idle|deploy|tick|owntick ...\n");
    return 2;
}

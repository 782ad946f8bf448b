#include "platform/win32/Win32SystemServices.h"

#include <windows.h>
// after windows.h, which it needs
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/PathText.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemLibrary.h"

namespace {

constexpr DWORD kIdleWaitMs = 1000;
constexpr DWORD kWriteChunk = 1 << 20;

Text WithTrailingBackslash(Text path) {
    if (!EndsWithSeparator(path)) path += '\\';
    return path;
}

bool IsDriveRoot(const Text& path) {
    const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return letter && path.size() >= 2 && path[1] == ':' && (path.size() == 2 || (path.size() == 3 && path[2] == '\\'));
}

// Every name that begins with "." is skipped, not only "." and "..": the tree removal has
// always left such entries (and so the folder that holds one) in place.
bool IsDotName(const char* name) {
    return name[0] == '.';
}

// Deletes what lies below the directory (names starting with "." are skipped), depth first.
void RemoveContents(const Text& directory) {
    WIN32_FIND_DATAA found;
    UniqueFind search(FindFirstFileA((directory + "\\*.*").c_str(), &found));
    if (!search) return;
    do {
        if (IsDotName(found.cFileName)) continue;
        const Text child = directory + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveContents(child);
            RemoveDirectoryA(child.c_str());
        } else {
            DeleteFileA(child.c_str());
        }
    } while (FindNextFileA(search.Get(), &found));
}

// Starts a process; keeps its handle in *kept when asked, else closes it.
bool Launch(const char* programPath, const Text& commandLine, bool waitForEnd, UniqueHandle* kept) {
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(programPath, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    if (waitForEnd) {
        WaitForSingleObject(process.Get(), INFINITE);
    } else {
        WaitForInputIdle(process.Get(), kIdleWaitMs);
    }
    if (kept) *kept = std::move(process);
    return true;
}

class Win32LaunchedProcess : public LaunchedProcess {
public:
    explicit Win32LaunchedProcess(UniqueHandle process) : process_(std::move(process)) {}
    bool HasEnded() override { return WaitForSingleObject(process_.Get(), 0) != WAIT_TIMEOUT; }
    bool ReadExitCode(std::uint32_t& code) override {
        if (WaitForSingleObject(process_.Get(), 0) != WAIT_OBJECT_0) return false;
        DWORD exitCode = 0;
        if (!GetExitCodeProcess(process_.Get(), &exitCode)) return false;
        code = exitCode;
        return true;
    }

private:
    UniqueHandle process_;
};

bool IsPlainFile(const Text& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

Text Win32SystemServices::GetSystemDirectoryPath() {
    char buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "";
    return WithTrailingBackslash(Text(buffer, length));
}

bool Win32SystemServices::FileExists(const Text& path) {
    WIN32_FIND_DATAA found;
    UniqueFind search(FindFirstFileA(path.c_str(), &found));
    return search.Valid();
}

bool Win32SystemServices::WriteBytesToFile(const Text& path, ByteView bytes) {
    if (path.empty()) return false;
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < bytes.size) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size - done, kWriteChunk));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data + done, chunk, &written, nullptr) || written != chunk) {
            // A truncated tool must never stay behind to be taken as present.
            PreserveLastError keep;
            file.Reset();
            DeleteFileA(path.c_str());
            return false;
        }
        done += written;
    }
    if (!::CloseHandle(file.Release())) {
        DeleteFileA(path.c_str());
        return false;
    }
    return true;
}

bool Win32SystemServices::RunCommandLine(const Text& commandLine, bool waitForEnd) {
    return Launch(nullptr, commandLine, waitForEnd, nullptr);
}

std::unique_ptr<LaunchedProcess> Win32SystemServices::StartProgram(const Text& programPath, const Text& commandLine) {
    UniqueHandle process;
    if (!Launch(programPath.c_str(), commandLine, false, &process)) return nullptr;
    return std::make_unique<Win32LaunchedProcess>(std::move(process));
}

// Only the system directory: PATH folders are often writable by ordinary users, and no
// spelling-based exclusion of the program's or the current folder holds (8.3 names, prefixes,
// junctions).
Text Win32SystemServices::LocateTrustedProgram(const Text& fileName) {
    const Text systemDirectory = GetSystemDirectoryPath();
    if (systemDirectory.empty() || !IsPlainFile(systemDirectory + fileName)) return "";
    return systemDirectory + fileName;
}

bool Win32SystemServices::MakeDirectory(const Text& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32SystemServices::RemoveDirectoryTree(const Text& path) {
    const std::size_t start = path.find_first_not_of(' ');
    if (start == Text::npos) return false;
    const Text directory = path.substr(start);
    if (IsDriveRoot(directory)) return false;
    RemoveContents(directory);
    return RemoveDirectoryA(directory.c_str()) != 0;
}

bool Win32SystemServices::FindsDirectory(const Text& pattern) {
    WIN32_FIND_DATAA found;
    UniqueFind search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) return false;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return true;
    } while (FindNextFileA(search.Get(), &found));
    return false;
}

namespace {

constexpr DWORD kSnapshotAll = 15;  // TH32CS_SNAPALL: heap list, processes, threads, modules

class Win32ProcessSnapshot : public ProcessSnapshot {
public:
    // A failed snapshot (INVALID_HANDLE_VALUE) lists nothing and has nothing to close.
    explicit Win32ProcessSnapshot(HANDLE snapshot) : snapshot_(snapshot) {}
    bool NextExecutableName(Text& name) override {
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        const BOOL listed = started_ ? Process32Next(snapshot_.Get(), &entry) : Process32First(snapshot_.Get(), &entry);
        started_ = true;
        if (!listed) return false;
        name.assign(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile));
        return true;
    }

private:
    UniqueHandle snapshot_;
    bool started_ = false;
};

}  // namespace

std::unique_ptr<ProcessSnapshot> Win32SystemServices::TakeProcessSnapshot() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(kSnapshotAll, 0);
    if (snapshot == nullptr) return nullptr;
    return std::make_unique<Win32ProcessSnapshot>(snapshot);
}

std::int32_t Win32SystemServices::ShellPathTest(const char* function, const Text& path) {
    using PathTest = BOOL(WINAPI*)(LPCSTR);
    const auto test = ShlwapiLibrary().Bind<PathTest>(function);
    return test ? test(path.c_str()) : 0;
}

std::int32_t Win32SystemServices::PathIsDirectoryA(const Text& path) {
    return ShellPathTest("PathIsDirectoryA", path);
}

std::int32_t Win32SystemServices::PathFileExistsA(const Text& path) {
    return ShellPathTest("PathFileExistsA", path);
}

std::int32_t Win32SystemServices::PathIsDirectoryEmptyA(const Text& path) {
    return ShellPathTest("PathIsDirectoryEmptyA", path);
}

bool Win32SystemServices::ListDirectory(const Text& path, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    WIN32_FIND_DATAA found;
    UniqueFind search(FindFirstFileA((WithTrailingBackslash(path) + "*").c_str(), &found));
    if (!search) {
        // Only a search that ran and found nothing lists nothing; a refused listing fails.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    do {
        const Text name = found.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search.Get(), &found));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

void Win32SystemServices::FormatDrive(WindowHandle owner, std::uint32_t driveNumber) {
    using FormatDriveFunction = DWORD(WINAPI*)(HWND, UINT, UINT, UINT);
    constexpr UINT kFormatId = 0, kOptions = 0;  // not SHFMT_ID_DEFAULT (0xFFFF)
    if (const auto format = Shell32Library().Bind<FormatDriveFunction>("SHFormatDrive")) {
        format(reinterpret_cast<HWND>(owner), driveNumber, kFormatId, kOptions);
    }
}

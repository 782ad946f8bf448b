#include "platform/win32/Win32SystemServices.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/Handles.h"

namespace {

constexpr DWORD kIdleWaitMs = 1000;
constexpr DWORD kWriteChunk = 1 << 20;

HANDLE ToHandle(NativeHandle handle) { return reinterpret_cast<HANDLE>(handle); }
NativeHandle FromHandle(HANDLE handle) { return reinterpret_cast<NativeHandle>(handle); }

Text WithTrailingBackslash(Text path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

bool IsDriveRoot(const Text& path) {
    const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return letter && path.size() >= 2 && path[1] == ':' &&
           (path.size() == 2 || (path.size() == 3 && path[2] == '\\'));
}

bool IsDotName(const char* name) { return name[0] == '.'; }

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
    if (!CreateProcessA(programPath, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
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

Text FullPathOf(const Text& path) {
    char buffer[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH) return "";
    Text full(buffer, length);
    while (full.size() > 3 && full.back() == '\\') full.pop_back();
    return full;
}

Text ProgramFolder() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "";
    Text path(buffer, length);
    return FullPathOf(path.substr(0, path.rfind('\\') + 1));
}

Text CurrentFolder() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH) return "";
    return FullPathOf(Text(buffer, length));
}

bool IsAbsolute(const Text& folder) {
    return (folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\') ||
           (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\');
}

bool IsPlainFile(const Text& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<Text> PathFolders() {
    std::vector<Text> folders;
    const DWORD size = GetEnvironmentVariableA("PATH", nullptr, 0);
    if (size == 0) return folders;
    std::vector<char> buffer(size);
    const DWORD length = GetEnvironmentVariableA("PATH", buffer.data(), size);
    if (length == 0 || length >= size) return folders;
    Text current;
    for (DWORD i = 0; i <= length; ++i) {
        const char c = i < length ? buffer[i] : ';';
        if (c == ';') {
            if (!current.empty()) folders.push_back(current);
            current.clear();
        } else if (c != '"') {
            current += c;
        }
    }
    return folders;
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
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
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

std::unique_ptr<LaunchedProcess> Win32SystemServices::StartProgram(const Text& programPath,
                                                                   const Text& commandLine) {
    UniqueHandle process;
    if (!Launch(programPath.c_str(), commandLine, false, &process)) return nullptr;
    return std::make_unique<Win32LaunchedProcess>(std::move(process));
}

Text Win32SystemServices::LocateTrustedProgram(const Text& fileName) {
    const Text systemDirectory = GetSystemDirectoryPath();
    if (!systemDirectory.empty() && IsPlainFile(systemDirectory + fileName)) return systemDirectory + fileName;
    const Text programFolder = ProgramFolder();
    const Text currentFolder = CurrentFolder();
    for (const Text& entry : PathFolders()) {
        if (!IsAbsolute(entry)) continue;
        const Text folder = FullPathOf(entry);
        if (folder.empty() || lstrcmpiA(folder.c_str(), programFolder.c_str()) == 0 ||
            lstrcmpiA(folder.c_str(), currentFolder.c_str()) == 0) {
            continue;
        }
        const Text candidate = WithTrailingBackslash(folder) + fileName;
        if (IsPlainFile(candidate)) return candidate;
    }
    return "";
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

Text Win32SystemServices::FindFirstDirectory(const Text& pattern, DirectorySearch& search) {
    WIN32_FIND_DATAA found;
    if (!pattern.empty()) {
        CloseDirectorySearch(search);
        const HANDLE handle = FindFirstFileA(pattern.c_str(), &found);
        if (handle == INVALID_HANDLE_VALUE) return "";
        search.handle = FromHandle(handle);
    } else if (search.handle == 0 || !FindNextFileA(ToHandle(search.handle), &found)) {
        CloseDirectorySearch(search);
        return "";
    }
    while (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!FindNextFileA(ToHandle(search.handle), &found)) {
            CloseDirectorySearch(search);
            return "";
        }
    }
    return found.cFileName;
}

void Win32SystemServices::CloseDirectorySearch(DirectorySearch& search) {
    if (search.handle != 0) FindClose(ToHandle(search.handle));
    search.handle = 0;
}

NativeHandle Win32SystemServices::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    return FromHandle(::CreateToolhelp32Snapshot(flags, processId));
}

namespace {
bool CopyEntry(BOOL stepped, const PROCESSENTRY32& native, ProcessEntry& entry) {
    if (!stepped) return false;
    static_assert(sizeof entry.szExeFile == sizeof native.szExeFile, "same name buffer");
    std::memcpy(entry.szExeFile, native.szExeFile, sizeof entry.szExeFile);
    entry.szExeFile[sizeof entry.szExeFile - 1] = '\0';
    return true;
}
}  // namespace

bool Win32SystemServices::Process32First(NativeHandle snapshot, ProcessEntry& entry) {
    PROCESSENTRY32 native{};
    native.dwSize = sizeof native;
    return CopyEntry(::Process32First(ToHandle(snapshot), &native), native, entry);
}

bool Win32SystemServices::Process32Next(NativeHandle snapshot, ProcessEntry& entry) {
    PROCESSENTRY32 native{};
    native.dwSize = sizeof native;
    return CopyEntry(::Process32Next(ToHandle(snapshot), &native), native, entry);
}

bool Win32SystemServices::CloseHandle(NativeHandle handle) {
    // INVALID_HANDLE_VALUE is also the current process's pseudo handle: never close it.
    if (handle == 0 || ToHandle(handle) == INVALID_HANDLE_VALUE) return false;
    return ::CloseHandle(ToHandle(handle)) != 0;
}

std::int32_t Win32SystemServices::ShellPathTest(const char* function, const Text& path) {
    using PathTest = BOOL(WINAPI*)(LPCSTR);
    const auto test = shlwapi_.Bind<PathTest>(function);
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

bool Win32SystemServices::DirectoryListsNoEntries(const Text& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    WIN32_FIND_DATAA found;
    UniqueFind search(FindFirstFileA((WithTrailingBackslash(path) + "*").c_str(), &found));
    if (search) return false;
    // Only a search that ran and found nothing counts; a refused listing is not "empty".
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

void Win32SystemServices::SHFormatDrive(WindowHandle owner, std::uint32_t drive, std::uint32_t formatId,
                                        std::uint32_t options) {
    using FormatDrive = DWORD(WINAPI*)(HWND, UINT, UINT, UINT);
    if (const auto format = shell32_.Bind<FormatDrive>("SHFormatDrive")) {
        format(reinterpret_cast<HWND>(owner), drive, formatId, options);
    }
}

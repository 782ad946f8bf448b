#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "Text.h"

// Opaque native handles passed through the interfaces as integers so that code above the
// platform never needs <windows.h>.
using NativeHandle = std::uintptr_t;
using WindowHandle = std::uintptr_t;

// The search held between FindFirstDirectory calls.
struct DirectorySearch {
    NativeHandle handle = 0;  // 0: no search open
};

// One entry of a directory listing.
struct DirectoryEntry {
    Text name;
    bool directory = false;
};

// The fields of PROCESSENTRY32 (ANSI) that the process check reads.
struct ProcessEntry {
    std::uint32_t dwSize = 0;
    char szExeFile[260] = {};
};

// A started process whose exit code the caller wants; closes its handle when destroyed.
class LaunchedProcess {
public:
    virtual ~LaunchedProcess() = default;
    // False only while the process still runs.
    virtual bool HasEnded() = 0;
    // The exit code of an ended process; false when it cannot be read.
    virtual bool ReadExitCode(std::uint32_t& code) = 0;
};

constexpr std::uint32_t kSnapshotAll = 15;  // TH32CS_SNAPALL

class SystemServices {
public:
    virtual ~SystemServices() = default;

    // The system directory with a trailing backslash; empty when the platform gives none.
    virtual Text GetSystemDirectoryPath() = 0;
    // True when a search finds an entry (file or directory) for the path; wildcards match.
    virtual bool FileExists(const Text& path) = 0;
    // Creates or truncates the file and writes the bytes. A failed write leaves no file behind.
    virtual bool WriteBytesToFile(const Text& path, ByteView bytes) = 0;
    // Starts the command line (program found by the platform's search); waits for its end
    // with waitForEnd, else at most 1000 ms for it to become idle.
    virtual bool RunCommandLine(const Text& commandLine, bool waitForEnd) = 0;
    // Starts programPath with the command line as its arguments and keeps its handle.
    // Null when it could not be started.
    virtual std::unique_ptr<LaunchedProcess> StartProgram(const Text& programPath,
                                                          const Text& commandLine) = 0;
    // The full path of fileName in the system directory when it is a plain file there; empty
    // otherwise. Nowhere else is trusted to hold a program started with the user's rights.
    virtual Text LocateTrustedProgram(const Text& fileName) = 0;
    virtual bool MakeDirectory(const Text& path) = 0;
    // Removes the directory and what lies below it; refuses the empty path and drive roots.
    virtual bool RemoveDirectoryTree(const Text& path) = 0;
    // The name of the first directory matching the pattern (empty pattern: continue the held
    // search); empty text when none, and the search is then closed.
    virtual Text FindFirstDirectory(const Text& pattern, DirectorySearch& search) = 0;
    virtual void CloseDirectorySearch(DirectorySearch& search) = 0;

    // Process snapshot, as kernel32 offers it.
    virtual NativeHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) = 0;
    virtual bool Process32First(NativeHandle snapshot, ProcessEntry& entry) = 0;
    virtual bool Process32Next(NativeHandle snapshot, ProcessEntry& entry) = 0;
    virtual bool CloseHandle(NativeHandle handle) = 0;

    // The shell's path tests, results passed on unchanged.
    virtual std::int32_t PathIsDirectoryA(const Text& path) = 0;
    virtual std::int32_t PathFileExistsA(const Text& path) = 0;
    virtual std::int32_t PathIsDirectoryEmptyA(const Text& path) = 0;
    // The entries of an existing directory, without "." and ".."; false when the path names no
    // directory or its listing was refused.
    virtual bool ListDirectory(const Text& path, std::vector<DirectoryEntry>& entries) = 0;

    // The shell's modal format dialog for a zero-based drive number; the result is ignored.
    virtual void SHFormatDrive(WindowHandle owner, std::uint32_t drive, std::uint32_t formatId,
                               std::uint32_t options) = 0;
};

#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "Text.h"

// An opaque native window handle, so that code above the platform never needs <windows.h>.
using WindowHandle = std::uintptr_t;

// One entry of a directory listing.
struct DirectoryEntry {
    Text name;
    bool directory = false;
};

// The executable names of the processes running when the snapshot was taken, one at a time
// in the platform's order. Whatever the snapshot holds is released when it is destroyed.
class ProcessSnapshot {
public:
    virtual ~ProcessSnapshot() = default;
    // The next process's executable name (the empty text for a process without one); false
    // when no process is left, or when the platform failed to list any.
    virtual bool NextExecutableName(Text& name) = 0;
};

// A started process whose exit code the caller wants; releases its handle when destroyed.
class LaunchedProcess {
public:
    virtual ~LaunchedProcess() = default;
    // False only while the process still runs.
    virtual bool HasEnded() = 0;
    // The exit code of an ended process; false when it cannot be read.
    virtual bool ReadExitCode(std::uint32_t& code) = 0;
};

// Files, directories, processes and the shell. Every handle and search stays on the platform
// side and is closed before an operation returns, or when the object it lives in is gone.
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
    virtual std::unique_ptr<LaunchedProcess> StartProgram(const Text& programPath, const Text& commandLine) = 0;
    // The full path of fileName in the system directory when it is a plain file there; empty
    // otherwise. Nowhere else is trusted to hold a program started with the user's rights.
    virtual Text LocateTrustedProgram(const Text& fileName) = 0;
    virtual bool MakeDirectory(const Text& path) = 0;
    // Removes the directory and what lies below it; refuses the empty path and drive roots.
    virtual bool RemoveDirectoryTree(const Text& path) = 0;
    // True when a search for the pattern finds an entry that is a directory (a plain file of
    // that name does not count; a pattern ending in "\" finds nothing).
    virtual bool FindsDirectory(const Text& pattern) = 0;
    // The entries of an existing directory, without "." and ".."; false when the path names no
    // directory or its listing was refused.
    virtual bool ListDirectory(const Text& path, std::vector<DirectoryEntry>& entries) = 0;

    // A snapshot of the running processes; null when none could be taken.
    virtual std::unique_ptr<ProcessSnapshot> TakeProcessSnapshot() = 0;

    // The shell's path tests, results passed on unchanged.
    virtual std::int32_t PathIsDirectoryA(const Text& path) = 0;
    virtual std::int32_t PathFileExistsA(const Text& path) = 0;
    virtual std::int32_t PathIsDirectoryEmptyA(const Text& path) = 0;

    // The shell's modal format dialog for a zero-based drive number, owned by the window
    // (SHFormatDrive with the format id and options 0); the result is ignored.
    virtual void FormatDrive(WindowHandle owner, std::uint32_t driveNumber) = 0;
};

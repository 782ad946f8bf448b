#pragma once
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/SystemServices.h"

// An in-memory file system and process table behind SystemServices, recording what the code
// under test asked of it. Paths are compared without regard to ASCII case; doubled separators
// read as one, as on the platform.
class FakeSystem : public SystemServices {
public:
    struct Entry {
        bool directory = false;
        std::string bytes;
    };
    struct Launch {
        Text program;  // empty for RunCommandLine
        Text commandLine;
        bool waitForEnd = false;
    };
    struct ProcessState {
        bool ended = true;
        bool readable = true;
        std::uint32_t exitCode = 0;
    };

    FakeSystem();

    // Setting the scene.
    void AddDirectory(const Text& path);
    void AddFile(const Text& path, const std::string& bytes = "");
    bool Exists(const Text& path) const;
    bool IsDir(const Text& path) const;
    const std::string* FileBytes(const Text& path) const;
    std::vector<Text> AllPaths() const;

    Text systemDirectory = "C:\\Windows\\system32\\";
    std::set<Text> failingCreates;    // MakeDirectory fails for these paths
    std::set<Text> failingWrites;     // WriteBytesToFile fails for these paths
    std::set<Text> unreadable;        // directories that cannot be listed
    bool failStart = false;           // StartProgram and RunCommandLine fail
    std::vector<Text> processes;      // executable names in snapshot order
    bool snapshotFails = false;       // CreateToolhelp32Snapshot returns 0
    bool firstStepFails = false;      // Process32First returns false
    std::function<void()> onFormat;   // runs inside the format dialog
    std::shared_ptr<ProcessState> nextProcess = std::make_shared<ProcessState>();

    // What happened.
    std::vector<Launch> launches;
    struct FormatCall {
        WindowHandle owner;
        std::uint32_t drive, formatId, options;
    };
    std::vector<FormatCall> formats;
    std::vector<Text> created;
    std::vector<Text> removed;
    std::vector<Text> writes;
    int processStepsTaken = 0;
    int openSnapshots = 0;
    int openSearches = 0;

    Text GetSystemDirectoryPath() override;
    bool FileExists(const Text& path) override;
    bool WriteBytesToFile(const Text& path, ByteView bytes) override;
    bool RunCommandLine(const Text& commandLine, bool waitForEnd) override;
    std::unique_ptr<LaunchedProcess> StartProgram(const Text& programPath,
                                                  const Text& commandLine) override;
    Text LocateTrustedProgram(const Text& fileName) override;
    bool MakeDirectory(const Text& path) override;
    bool RemoveDirectoryTree(const Text& path) override;
    Text FindFirstDirectory(const Text& pattern, DirectorySearch& search) override;
    void CloseDirectorySearch(DirectorySearch& search) override;
    NativeHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
    bool Process32First(NativeHandle snapshot, ProcessEntry& entry) override;
    bool Process32Next(NativeHandle snapshot, ProcessEntry& entry) override;
    bool CloseHandle(NativeHandle handle) override;
    std::int32_t PathIsDirectoryA(const Text& path) override;
    std::int32_t PathFileExistsA(const Text& path) override;
    std::int32_t PathIsDirectoryEmptyA(const Text& path) override;
    bool ListDirectory(const Text& path, std::vector<DirectoryEntry>& entries) override;
    void SHFormatDrive(WindowHandle owner, std::uint32_t drive, std::uint32_t formatId,
                       std::uint32_t options) override;

    std::uint32_t lastSnapshotFlags = 0;

private:
    static Text Key(const Text& path);
    static Text Parent(const Text& key);
    bool HasChildren(const Text& key) const;
    std::vector<Text> Matches(const Text& pattern) const;
    bool NextProcess(NativeHandle snapshot, ProcessEntry& entry);

    std::map<Text, Entry> entries_;  // by Key(); drive roots are "X:"
    std::map<NativeHandle, std::vector<Text>> searches_;
    std::map<NativeHandle, std::size_t> snapshots_;
    NativeHandle nextHandle_ = 100;
};

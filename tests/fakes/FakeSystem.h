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
    std::set<Text> failingCreates;   // MakeDirectory fails for these paths
    std::set<Text> failingWrites;    // WriteBytesToFile fails for these paths
    std::set<Text> unreadable;       // directories that cannot be listed
    bool failStart = false;          // StartProgram and RunCommandLine fail
    std::vector<Text> processes;     // executable names in snapshot order
    bool snapshotFails = false;      // no snapshot can be taken
    bool listingFails = false;       // a snapshot is had but lists nothing (the platform failed)
    std::function<void()> onFormat;  // runs inside the format dialog
    std::shared_ptr<ProcessState> nextProcess = std::make_shared<ProcessState>();

    // What happened.
    std::vector<Launch> launches;
    struct FormatCall {
        WindowHandle owner;
        std::uint32_t drive;
    };
    std::vector<FormatCall> formats;
    std::vector<Text> created;
    std::vector<Text> removed;
    std::vector<Text> writes;
    int processStepsTaken = 0;
    int openSnapshots = 0;
    int snapshotsTaken = 0;

    Text GetSystemDirectoryPath() override;
    bool FileExists(const Text& path) override;
    bool WriteBytesToFile(const Text& path, ByteView bytes) override;
    bool RunCommandLine(const Text& commandLine, bool waitForEnd) override;
    std::unique_ptr<LaunchedProcess> StartProgram(const Text& programPath, const Text& commandLine) override;
    Text LocateTrustedProgram(const Text& fileName) override;
    bool MakeDirectory(const Text& path) override;
    bool RemoveDirectoryTree(const Text& path) override;
    bool FindsDirectory(const Text& pattern) override;
    std::unique_ptr<ProcessSnapshot> TakeProcessSnapshot() override;
    std::int32_t PathIsDirectoryA(const Text& path) override;
    std::int32_t PathFileExistsA(const Text& path) override;
    std::int32_t PathIsDirectoryEmptyA(const Text& path) override;
    bool ListDirectory(const Text& path, std::vector<DirectoryEntry>& entries) override;
    void FormatDrive(WindowHandle owner, std::uint32_t driveNumber) override;

private:
    static Text Key(const Text& path);
    static Text Parent(const Text& key);
    bool HasChildren(const Text& key) const;
    std::vector<Text> Matches(const Text& pattern) const;

    std::map<Text, Entry> entries_;  // by Key(); drive roots are "X:"
};

#pragma once
#include "platform/SystemServices.h"

// SystemServices on the Windows API: kernel32, and shlwapi and shell32 bound by name when
// first needed.
class Win32SystemServices : public SystemServices {
public:
    Text GetSystemDirectoryPath() override;
    bool FileExists(const Text& path) override;
    bool WriteBytesToFile(const Text& path, ByteView bytes) override;
    bool RunCommandLine(const Text& commandLine, bool waitForEnd) override;
    std::unique_ptr<LaunchedProcess> StartProgram(const Text& programPath, const Text& commandLine) override;
    Text LocateTrustedProgram(const Text& fileName) override;
    bool MakeDirectory(const Text& path) override;
    bool RemoveDirectoryTree(const Text& path) override;
    bool ListDirectory(const Text& path, std::vector<DirectoryEntry>& entries) override;
    bool FindsDirectory(const Text& pattern) override;
    std::unique_ptr<ProcessSnapshot> TakeProcessSnapshot() override;
    std::int32_t PathIsDirectoryA(const Text& path) override;
    std::int32_t PathFileExistsA(const Text& path) override;
    std::int32_t PathIsDirectoryEmptyA(const Text& path) override;
    void FormatDrive(WindowHandle owner, std::uint32_t driveNumber) override;

private:
    std::int32_t ShellPathTest(const char* function, const Text& path);
};

#include "util/ProcessCheck.h"

#include <cstring>

#include "util/TextRules.h"

namespace {

class SnapshotCloser {
public:
    SnapshotCloser(SystemServices& system, NativeHandle snapshot) : system_(system), snapshot_(snapshot) {}
    ~SnapshotCloser() { system_.CloseHandle(snapshot_); }
    SnapshotCloser(const SnapshotCloser&) = delete;
    SnapshotCloser& operator=(const SnapshotCloser&) = delete;

private:
    SystemServices& system_;
    NativeHandle snapshot_;
};

Text ExecutableName(const ProcessEntry& entry) {
    return Text(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile));
}

}  // namespace

bool IsProcessRunning(SystemServices& system, Text& name) {
    ProcessEntry entry{};
    const NativeHandle snapshot = system.CreateToolhelp32Snapshot(kSnapshotAll, 0);
    if (snapshot == 0) return false;
    SnapshotCloser closer(system, snapshot);
    entry.dwSize = sizeof entry;
    bool listed = system.Process32First(snapshot, entry);
    name = FoldAsciiCase(name);
    while (listed) {
        if (FoldAsciiCase(ExecutableName(entry)) == name) return true;
        listed = system.Process32Next(snapshot, entry);
    }
    return false;
}

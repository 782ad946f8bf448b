#include "tests/fakes/FakeSystem.h"

#include "util/TextRules.h"

#include <cstring>

namespace {

bool GlobMatch(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') return GlobMatch(pattern + 1, name) || (*name && GlobMatch(pattern, name + 1));
    if (*name == '\0') return false;
    return (*pattern == '?' || *pattern == *name) && GlobMatch(pattern + 1, name + 1);
}

bool IsDriveRoot(const Text& key) { return key.size() == 2 && key[1] == ':'; }

class FakeProcess : public LaunchedProcess {
public:
    explicit FakeProcess(std::shared_ptr<FakeSystem::ProcessState> state) : state_(std::move(state)) {}
    bool HasEnded() override { return state_->ended; }
    bool ReadExitCode(std::uint32_t& code) override {
        if (!state_->ended || !state_->readable) return false;
        code = state_->exitCode;
        return true;
    }

private:
    std::shared_ptr<FakeSystem::ProcessState> state_;
};

}  // namespace

FakeSystem::FakeSystem() = default;

// Upper-cases ASCII letters, reads doubled separators as one and drops a trailing one,
// stepping over double-byte characters as the platform does.
Text FakeSystem::Key(const Text& path) {
    Text key;
    bool lastWasSeparator = false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (static_cast<unsigned char>(c) >= 0x80 && i + 1 < path.size()) {
            key += c;
            key += path[++i];
            lastWasSeparator = false;
        } else if (c == '\\') {
            if (!lastWasSeparator || key.empty()) key += c;
            lastWasSeparator = true;
        } else {
            key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
            lastWasSeparator = false;
        }
    }
    if (key.size() > 1 && lastWasSeparator) key.pop_back();
    return key;
}

Text FakeSystem::Parent(const Text& key) {
    std::size_t slash = Text::npos;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (static_cast<unsigned char>(key[i]) >= 0x80 && i + 1 < key.size()) {
            ++i;
        } else if (key[i] == '\\') {
            slash = i;
        }
    }
    return slash == Text::npos ? Text() : key.substr(0, slash);
}

void FakeSystem::AddDirectory(const Text& path) {
    const Text key = Key(path);
    if (key.empty()) return;
    if (!IsDriveRoot(key)) AddDirectory(Parent(key));
    entries_[key].directory = true;
}

void FakeSystem::AddFile(const Text& path, const std::string& bytes) {
    const Text key = Key(path);
    AddDirectory(Parent(key));
    entries_[key] = Entry{false, bytes};
}

bool FakeSystem::Exists(const Text& path) const { return entries_.count(Key(path)) != 0; }

bool FakeSystem::IsDir(const Text& path) const {
    const auto it = entries_.find(Key(path));
    return it != entries_.end() && it->second.directory;
}

const std::string* FakeSystem::FileBytes(const Text& path) const {
    const auto it = entries_.find(Key(path));
    return it == entries_.end() || it->second.directory ? nullptr : &it->second.bytes;
}

std::vector<Text> FakeSystem::AllPaths() const {
    std::vector<Text> paths;
    for (const auto& [key, entry] : entries_) paths.push_back(key);
    return paths;
}

bool FakeSystem::HasChildren(const Text& key) const {
    for (const auto& [other, entry] : entries_) {
        if (Parent(other) == key && other != key) return true;
    }
    return false;
}

// Entries of the parent folder whose names match the last element of the pattern.
std::vector<Text> FakeSystem::Matches(const Text& pattern) const {
    const Text key = Key(pattern);
    if (pattern.empty() || (EndsWithSeparator(pattern) && !IsDriveRoot(key))) return {};
    if (key.find_first_of("*?") == Text::npos) {
        return entries_.count(key) ? std::vector<Text>{key} : std::vector<Text>{};
    }
    const Text parent = Parent(key);
    if (unreadable.count(Key(parent))) return {};
    const Text namePattern = key.substr(parent.size() + 1);
    std::vector<Text> found;
    for (const auto& [other, entry] : entries_) {
        if (Parent(other) == parent && other != parent &&
            GlobMatch(namePattern.c_str(), other.substr(parent.size() + 1).c_str())) {
            found.push_back(other);
        }
    }
    return found;
}

Text FakeSystem::GetSystemDirectoryPath() { return systemDirectory; }

bool FakeSystem::FileExists(const Text& path) { return !Matches(path).empty(); }

bool FakeSystem::WriteBytesToFile(const Text& path, ByteView bytes) {
    if (path.empty()) return false;
    writes.push_back(path);
    const Text key = Key(path);
    if (failingWrites.count(key) || !IsDir(Parent(key)) || IsDir(key)) return false;
    entries_[key] = Entry{false, std::string(reinterpret_cast<const char*>(bytes.data), bytes.size)};
    return true;
}

bool FakeSystem::RunCommandLine(const Text& commandLine, bool waitForEnd) {
    launches.push_back({"", commandLine, waitForEnd});
    if (failStart) return false;
    const Text program = commandLine.substr(0, commandLine.find(' '));
    return FileBytes(program) != nullptr;
}

std::unique_ptr<LaunchedProcess> FakeSystem::StartProgram(const Text& programPath,
                                                          const Text& commandLine) {
    launches.push_back({programPath, commandLine, false});
    if (failStart) return nullptr;
    auto process = std::make_unique<FakeProcess>(nextProcess);
    nextProcess = std::make_shared<ProcessState>();
    return process;
}

Text FakeSystem::LocateTrustedProgram(const Text& fileName) {
    const Text inSystem = systemDirectory + fileName;
    return FileBytes(inSystem) != nullptr ? inSystem : "";
}

bool FakeSystem::MakeDirectory(const Text& path) {
    const Text key = Key(path);
    if (key.empty() || failingCreates.count(key) || entries_.count(key) || !IsDir(Parent(key)) ||
        EndsWithSeparator(path)) {
        return false;
    }
    entries_[key].directory = true;
    created.push_back(key);
    return true;
}

bool FakeSystem::RemoveDirectoryTree(const Text& path) {
    std::size_t start = path.find_first_not_of(' ');
    if (start == Text::npos) return false;
    const Text key = Key(path.substr(start));
    if (IsDriveRoot(key)) return false;
    removed.push_back(key);
    if (!IsDir(key)) return false;
    for (auto it = entries_.begin(); it != entries_.end();) {
        const bool below = it->first.size() > key.size() && it->first.compare(0, key.size(), key) == 0 &&
                           it->first[key.size()] == '\\';
        it = below ? entries_.erase(it) : std::next(it);
    }
    entries_.erase(key);
    return true;
}

Text FakeSystem::FindFirstDirectory(const Text& pattern, DirectorySearch& search) {
    if (!pattern.empty()) {
        CloseDirectorySearch(search);
        auto found = Matches(pattern);
        if (found.empty()) return "";
        search.handle = nextHandle_++;
        searches_[search.handle] = found;
        ++openSearches;
    }
    auto it = searches_.find(search.handle);
    if (it == searches_.end()) return "";
    auto& pending = it->second;
    while (!pending.empty()) {
        const Text key = pending.front();
        pending.erase(pending.begin());
        if (IsDir(key)) return IsDriveRoot(key) ? key : key.substr(Parent(key).size() + 1);
    }
    CloseDirectorySearch(search);
    return "";
}

void FakeSystem::CloseDirectorySearch(DirectorySearch& search) {
    if (search.handle != 0 && searches_.erase(search.handle)) --openSearches;
    search.handle = 0;
}

NativeHandle FakeSystem::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t) {
    lastSnapshotFlags = flags;
    if (snapshotFails) return 0;
    const NativeHandle handle = nextHandle_++;
    snapshots_[handle] = 0;
    ++openSnapshots;
    return handle;
}

bool FakeSystem::NextProcess(NativeHandle snapshot, ProcessEntry& entry) {
    auto it = snapshots_.find(snapshot);
    if (it == snapshots_.end() || entry.dwSize != sizeof(ProcessEntry)) return false;
    if (it->second >= processes.size()) return false;
    ++processStepsTaken;
    std::memset(entry.szExeFile, 0, sizeof entry.szExeFile);
    processes[it->second++].copy(entry.szExeFile, sizeof entry.szExeFile - 1);
    return true;
}

bool FakeSystem::Process32First(NativeHandle snapshot, ProcessEntry& entry) {
    if (firstStepFails) return false;
    snapshots_[snapshot] = 0;
    return NextProcess(snapshot, entry);
}

bool FakeSystem::Process32Next(NativeHandle snapshot, ProcessEntry& entry) {
    return NextProcess(snapshot, entry);
}

bool FakeSystem::CloseHandle(NativeHandle handle) {
    if (!snapshots_.erase(handle)) return false;
    --openSnapshots;
    return true;
}

std::int32_t FakeSystem::PathIsDirectoryA(const Text& path) { return IsDir(path) ? 16 : 0; }

std::int32_t FakeSystem::PathFileExistsA(const Text& path) { return Exists(path) ? 1 : 0; }

// Like the platform: a drive root has no "." or ".." and so never counts as empty here.
std::int32_t FakeSystem::PathIsDirectoryEmptyA(const Text& path) {
    const Text key = Key(path);
    if (!IsDir(key) || IsDriveRoot(key) || unreadable.count(key)) return 0;
    return HasChildren(key) ? 0 : 1;
}

bool FakeSystem::ListDirectory(const Text& path, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    const Text key = Key(path);
    if (!IsDir(key) || unreadable.count(key)) return false;
    for (const auto& [other, entry] : entries_) {
        if (other != key && Parent(other) == key) entries.push_back({other.substr(key.size() + 1), entry.directory});
    }
    return true;
}

void FakeSystem::SHFormatDrive(WindowHandle owner, std::uint32_t drive, std::uint32_t formatId,
                               std::uint32_t options) {
    formats.push_back({owner, drive, formatId, options});
    if (onFormat) onFormat();
}

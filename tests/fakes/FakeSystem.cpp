#include "tests/fakes/FakeSystem.h"

#include "util/TextRules.h"

namespace {

bool GlobMatch(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') return GlobMatch(pattern + 1, name) || (*name && GlobMatch(pattern, name + 1));
    if (*name == '\0') return false;
    return (*pattern == '?' || *pattern == *name) && GlobMatch(pattern + 1, name + 1);
}

bool IsDriveRoot(const Text& key) {
    return key.size() == 2 && key[1] == ':';
}

// Walks the fake's process table as it is when the walk goes on, counting the steps.
class FakeSnapshot : public ProcessSnapshot {
public:
    explicit FakeSnapshot(FakeSystem& system) : system_(system) { ++system_.openSnapshots; }
    ~FakeSnapshot() override { --system_.openSnapshots; }
    bool NextExecutableName(Text& name) override {
        if (system_.listingFails || next_ >= system_.processes.size()) return false;
        ++system_.processStepsTaken;
        name = system_.processes[next_++];
        return true;
    }

private:
    FakeSystem& system_;
    std::size_t next_ = 0;
};

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
    for (std::size_t i = 0; i < path.size(); i += CharacterLength(path, i)) {
        const char c = path[i];
        if (CharacterLength(path, i) == 2) {
            key.append(path, i, 2);
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
    const std::size_t slash = LastSeparator(key);
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

bool FakeSystem::Exists(const Text& path) const {
    return entries_.count(Key(path)) != 0;
}

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

Text FakeSystem::GetSystemDirectoryPath() {
    return systemDirectory;
}

bool FakeSystem::FileExists(const Text& path) {
    return !Matches(path).empty();
}

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

std::unique_ptr<LaunchedProcess> FakeSystem::StartProgram(const Text& programPath, const Text& commandLine) {
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

bool FakeSystem::FindsDirectory(const Text& pattern) {
    for (const Text& key : Matches(pattern)) {
        if (IsDir(key)) return true;
    }
    return false;
}

std::unique_ptr<ProcessSnapshot> FakeSystem::TakeProcessSnapshot() {
    if (snapshotFails) return nullptr;
    ++snapshotsTaken;
    return std::make_unique<FakeSnapshot>(*this);
}

std::int32_t FakeSystem::PathIsDirectoryA(const Text& path) {
    return IsDir(path) ? 16 : 0;
}

std::int32_t FakeSystem::PathFileExistsA(const Text& path) {
    return Exists(path) ? 1 : 0;
}

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

void FakeSystem::FormatDrive(WindowHandle owner, std::uint32_t driveNumber) {
    formats.push_back({owner, driveNumber});
    if (onFormat) onFormat();
}

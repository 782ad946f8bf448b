// The start-up routine that restricts the library search, in this process: a library planted
// beside the program or in the current folder loads by bare name before it and not after it.
// E: is an empty fixed disk.
#include <gtest/gtest.h>

#include "platform/win32/SystemLibrary.h"
#include "tests/win32/TestSupport.h"

using namespace testsupport;

namespace {

// Recording stand-ins for the two kernel32 functions, for systems that lack one or both.
struct Calls {
    int setDefault = 0, setDllDirectory = 0;
    DWORD flags = 0;
    std::string directory;
    BOOL setDefaultResult = TRUE;
} calls;
BOOL WINAPI RecordSetDefault(DWORD flags) {
    ++calls.setDefault;
    calls.flags = flags;
    return calls.setDefaultResult;
}
BOOL WINAPI RecordSetDllDirectory(LPCSTR directory) {
    ++calls.setDllDirectory;
    calls.directory = directory ? directory : "(null)";
    return TRUE;
}

TEST(LibrarySearch, UsesWhatTheSystemOffers) {
    const struct {
        const char* name;
        bool hasSetDefault, setDefaultWorks, hasSetDllDirectory;
        int setDefaultCalls, setDllDirectoryCalls;
        bool restricted;
    } cases[] = {
        {"Windows 8 and later, or 7 with the update", true, true, true, 1, 0, true},
        {"the update's function refuses", true, false, true, 1, 1, true},
        {"XP SP1 to 7 without the update", false, false, true, 0, 1, true},
        {"nothing to restrict with", false, false, false, 0, 0, false},
    };
    for (const auto& c : cases) {
        calls = Calls{};
        calls.setDefaultResult = c.setDefaultWorks;
        LibrarySearchFunctions functions{c.hasSetDefault ? &RecordSetDefault : nullptr,
                                         c.hasSetDllDirectory ? &RecordSetDllDirectory : nullptr};
        EXPECT_EQ(RestrictLibrarySearch(functions), c.restricted) << c.name;
        EXPECT_EQ(calls.setDefault, c.setDefaultCalls) << c.name;
        EXPECT_EQ(calls.setDllDirectory, c.setDllDirectoryCalls) << c.name;
        if (c.setDefaultCalls) {
            EXPECT_EQ(calls.flags, static_cast<DWORD>(LOAD_LIBRARY_SEARCH_SYSTEM32)) << c.name;
        }
        if (c.setDllDirectoryCalls) {
            EXPECT_EQ(calls.directory, "") << c.name << ": the current folder leaves the search";
        }
    }
}

bool LoadsByBareName(const char* name) {
    HMODULE module = LoadLibraryA(name);
    if (module) FreeLibrary(module);
    return module != nullptr;
}

TEST(LibrarySearch, PlantedLibrariesLoadBeforeTheRestrictionAndNotAfterIt) {
    const std::string probe = ProgramFolder() + "probe_library.dll";
    ASSERT_TRUE(CreateDirectoryA("E:\\current", nullptr));
    ASSERT_TRUE(CopyFileA(probe.c_str(), (ProgramFolder() + "vandrell_beside.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(probe.c_str(), "E:\\current\\vandrell_current.dll", FALSE));
    ASSERT_TRUE(SetCurrentDirectoryA("E:\\current"));
    EXPECT_TRUE(LoadsByBareName("vandrell_beside.dll")) << "the program's folder is searched by default";
    EXPECT_TRUE(LoadsByBareName("vandrell_current.dll")) << "the current folder is searched by default";

    const LibrarySearchFunctions functions = FindLibrarySearchFunctions();
    ASSERT_NE(functions.setDefaultDllDirectories, nullptr);
    EXPECT_TRUE(RestrictLibrarySearch(functions));
    EXPECT_FALSE(LoadsByBareName("vandrell_beside.dll"));
    EXPECT_FALSE(LoadsByBareName("vandrell_current.dll"));
    EXPECT_TRUE(LoadsByBareName("version.dll")) << "system libraries still load";
    EXPECT_NE(Shell32Library().Bind<void*>("SHFormatDrive"), nullptr) << "and so do the bound ones";
    DeleteFileA((ProgramFolder() + "vandrell_beside.dll").c_str());
}

}  // namespace

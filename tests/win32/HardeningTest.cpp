// What the program file promises about itself, and that an IMAGEX.exe planted where a user's
// files are is never started. D: holds the image, F: a copy of the program, L: the log.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/ControlIds.h"
#include "tests/win32/Driver.h"
#include "tests/win32/TestSupport.h"

using namespace driver;
using namespace testsupport;

namespace {

const std::string kProgram = ProgramFolder() + "Vandrell.exe";
// The 32-bit program that is shipped (in a 64-bit test tree, the 32-bit tree's build).
const std::string kShipped = VANDRELL_SHIPPED_PROGRAM;

struct PeFile {
    std::string bytes;
    const IMAGE_NT_HEADERS32* headers = nullptr;

    explicit PeFile(const std::string& path) : bytes(ReadFileText(path)) {
        if (bytes.size() < sizeof(IMAGE_DOS_HEADER)) return;
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
        if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew <= 0 ||
            static_cast<std::size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32) > bytes.size()) {
            return;
        }
        headers = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
    }
    // The file offset of a relative virtual address, or 0.
    std::size_t Offset(DWORD rva) const {
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
        for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
            if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->Misc.VirtualSize) {
                return rva - section->VirtualAddress + section->PointerToRawData;
            }
        }
        return 0;
    }
    std::vector<std::string> ImportedDlls() const {
        std::vector<std::string> dlls;
        const IMAGE_DATA_DIRECTORY& directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        std::size_t at = Offset(directory.VirtualAddress);
        for (; at && at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= bytes.size(); at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(bytes.data() + at);
            if (entry->Name == 0) break;
            std::string name = bytes.c_str() + Offset(entry->Name);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](char c) { return static_cast<char>(std::tolower(c)); });
            dlls.push_back(name);
        }
        return dlls;
    }
};

TEST(Hardening, PeHeaderAsksForAslrDepAndTerminalServerAwareness) {
    PeFile file(kShipped);
    ASSERT_NE(file.headers, nullptr);
    const WORD flags = file.headers->OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE);
    EXPECT_EQ(file.headers->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(file.headers->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_NE(file.headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u)
        << "relocations, so the image can move";
}

TEST(Hardening, ImportsOnlySystemLibraries) {
    PeFile file(kShipped);
    ASSERT_NE(file.headers, nullptr);
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll",  "shell32.dll", "shlwapi.dll",
                                          "comdlg32.dll", "ole32.dll",  "msvcrt.dll", "advapi32.dll"};
    const std::vector<std::string> dlls = file.ImportedDlls();
    ASSERT_FALSE(dlls.empty());
    for (const std::string& dll : dlls) EXPECT_TRUE(system.count(dll)) << dll;
}

TEST(Hardening, TheManifestAsksForNoElevation) {
    HMODULE module = LoadLibraryExA(kShipped.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr) << "the program carries its manifest";
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(text, SizeofResource(module, found));
    FreeLibrary(module);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("urn:schemas-microsoft-com:asm.v2"), std::string::npos) << "a form XP loads";
    for (const char* absent :
         {"requireAdministrator", "highestAvailable", "Microsoft.Windows.Common-Controls", "dpiAware"}) {
        EXPECT_EQ(manifest.find(absent), std::string::npos) << absent;
    }
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos) << "Windows 10";
    EXPECT_NE(manifest.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos) << "Vista";
}

TEST(Hardening, BuffersAreGuardedByTheStackProtector) {
    const std::string bytes = ReadFileText(kShipped);
    EXPECT_NE(bytes.find("stack smashing detected"), std::string::npos) << "libssp's canary check is linked";
}

TEST(Hardening, APlantedImagingToolIsNeverStarted) {
    // Planted beside the program, in the folder it is started from, beside the image and in
    // a folder of the PATH.
    for (const char* folder : {"F:\\app", "D:\\images", "D:\\start", "D:\\path"}) CreateDirectoryA(folder, nullptr);
    ASSERT_TRUE(CopyFileA(kProgram.c_str(), "F:\\app\\Vandrell.exe", FALSE));
    for (const char* plant :
         {"F:\\app\\IMAGEX.exe", "D:\\images\\IMAGEX.exe", "D:\\start\\IMAGEX.exe", "D:\\path\\imagex.exe"}) {
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "fixture_console.exe").c_str(), plant, FALSE)) << plant;
    }
    ASSERT_TRUE(WriteFileText("D:\\images\\install.wim", "wim"));
    char systemFolder[MAX_PATH];
    GetSystemDirectoryA(systemFolder, MAX_PATH);
    ASSERT_FALSE(PathExists(std::string(systemFolder) + "\\imagex.exe"));
    SetEnvironmentVariableA("VANDRELL_FIXTURE_LOG", "L:\\planted.log");
    char oldPath[4096];
    const DWORD oldLength = GetEnvironmentVariableA("PATH", oldPath, sizeof oldPath);
    SetEnvironmentVariableA("PATH", (std::string("D:\\path;") + (oldLength ? oldPath : "")).c_str());
    SetCurrentDirectoryA("D:\\start");
    Program program("F:\\app\\Vandrell.exe");
    SetEnvironmentVariableA("VANDRELL_FIXTURE_LOG", nullptr);
    SetEnvironmentVariableA("PATH", oldLength ? oldPath : nullptr);
    ASSERT_TRUE(program.Started());

    HWND dialog = OpenSelectDialog(program);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("D:\\images\\install.wim"));
    PressDialogButton(dialog, IDOK);
    ChooseDrive(program, 'E');
    RECT rect;
    GetWindowRect(program.Control(ControlId::PicBtn2), &rect);
    ClickAt({rect.left + 30, rect.top + 14});
    HWND confirm = WaitForTopLevel(program.ProcessId(), "警告", 10000);
    ASSERT_NE(confirm, nullptr);
    ClickDialogButton(confirm, IDYES);
    HWND notice = WaitForTopLevel(program.ProcessId(), "提示", 10000);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(notice, 0xFFFF)), "无法启动映像工具 imagex.exe");
    ClickDialogButton(notice, IDOK);
    Settle(1500);
    EXPECT_FALSE(PathExists("L:\\planted.log")) << ReadFileText("L:\\planted.log");
    EXPECT_FALSE(PathExists("E:\\Boot")) << "no boot setup follows";
}

}  // namespace

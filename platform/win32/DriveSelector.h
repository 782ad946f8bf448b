#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Handles.h"

// A drop-down list of the drives the platform reports, filled once when created: "E: （硬盘）
// label", "F: （光驱）" and so on. The drive of the process's current directory is chosen at
// the start when it is listed.
// The drive of the process's current directory (that of the system directory when the
// current directory is a share; C when neither gives one).
char CurrentDirectoryDriveLetter();

// A drive as the list shows it.
struct DriveEntry {
    char letter;  // upper case
    std::string text;
};
// Every drive the platform reports, in its order, with its list entry.
std::vector<DriveEntry> ReadDriveEntries();

// Reads the drive entries on a thread of its own from construction on, so that the start-up
// goes on meanwhile: the queries wait on the system's mount manager. Take() waits for them; it
// reads them itself when no thread could be started.
class DriveScan {
public:
    DriveScan();
    ~DriveScan();
    DriveScan(const DriveScan&) = delete;
    DriveScan& operator=(const DriveScan&) = delete;
    std::vector<DriveEntry> Take();

private:
    static DWORD WINAPI Read(void* scan);
    std::vector<DriveEntry> entries_;
    UniqueHandle thread_;
};

class DriveSelector {
public:
    struct Settings {
        int id;
        RECT rect;       // the closed field
        int openHeight;  // the field and its opened list together
        bool visible;
        HFONT font;
        DriveScan* scan;  // the entries read ahead; null: read them now
    };
    bool Create(HWND parent, const Settings& settings);
    HWND Handle() const { return combo_; }
    // The chosen drive's upper-case letter; the current directory's drive when none is chosen.
    std::string ChosenLetter() const;

private:
    void Fill(const std::vector<DriveEntry>& drives);
    void SetClosedHeight(int height);
    HWND combo_ = nullptr;
};

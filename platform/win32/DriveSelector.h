#pragma once
#include <windows.h>

#include <string>

// A drop-down list of the drives the platform reports, filled once when created: "E: （硬盘）
// label", "F: （光驱）" and so on. The drive of the process's current directory is chosen at
// the start when it is listed.
// The drive of the process's current directory (that of the system directory when the
// current directory is a share; C when neither gives one).
char CurrentDirectoryDriveLetter();

class DriveSelector {
public:
    struct Settings {
        int id;
        RECT rect;       // the closed field
        int openHeight;  // the field and its opened list together
        bool visible;
        HFONT font;
    };
    bool Create(HWND parent, const Settings& settings);
    HWND Handle() const { return combo_; }
    // The chosen drive's upper-case letter; the current directory's drive when none is chosen.
    std::string ChosenLetter() const;

private:
    void Fill();
    void SetClosedHeight(int height);
    HWND combo_ = nullptr;
};

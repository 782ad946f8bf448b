#pragma once
#include <windows.h>

#include <string>

// A drop-down list of the drives the platform reports, filled once when created: "E: （硬盘）
// label", "F: （光驱）" and so on. The drive of the process's current directory is chosen at
// the start when it is listed.
class DriveSelector {
public:
    struct Settings {
        int id;
        RECT rect;       // the closed field
        int openHeight;  // the field and its opened list together
        HFONT font;
    };
    bool Create(HWND parent, const Settings& settings);
    HWND Handle() const { return combo_; }
    // The chosen drive's upper-case letter; the current directory's drive when none is chosen.
    std::string ChosenLetter() const;
    // The list entry for a drive root such as "E:\".
    static std::string EntryText(const std::string& root);

private:
    void Fill();
    void SetClosedHeight(int height);
    HWND combo_ = nullptr;
};

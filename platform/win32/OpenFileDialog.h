#pragma once
#include <windows.h>

#include <string>

// The file-open dialog with fixed settings. The file name is offered as the initial name and,
// after a confirmed choice, holds the chosen file's full path.
class OpenFileDialog {
public:
    struct Settings {
        const char* title;
        const char* filter;  // "description|pattern" pairs
        DWORD flags;
    };
    explicit OpenFileDialog(const Settings& settings) : settings_(settings) {}
    bool Show(HWND owner);
    const std::string& FileName() const { return fileName_; }

private:
    Settings settings_;
    std::string fileName_;
};

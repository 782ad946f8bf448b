#include "platform/win32/OpenFileDialog.h"

#include <commdlg.h>

#include "platform/win32/SystemLibrary.h"

bool OpenFileDialog::Show(HWND owner) {
    std::string filter = settings_.filter;
    for (char& c : filter) {
        if (c == '|') c = '\0';
    }
    filter.append(2, '\0');
    char name[MAX_PATH] = {};  // MAX_PATH characters including the terminating zero
    lstrcpynA(name, fileName_.c_str(), MAX_PATH);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = settings_.title;
    dialog.Flags = settings_.flags;
    using OpenDialog = BOOL(WINAPI*)(OPENFILENAMEA*);
    const auto open = Comdlg32Library().Bind<OpenDialog>("GetOpenFileNameA");
    if (!open || !open(&dialog)) return false;
    fileName_ = name;
    return true;
}

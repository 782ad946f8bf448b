#include "platform/win32/DriveSelector.h"

#include <vector>

namespace {

char UpperLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
}
bool IsLetter(char c) {
    return UpperLetter(c) >= 'A' && UpperLetter(c) <= 'Z';
}

// The list entry for a drive root such as "E:\\".
std::string EntryText(const std::string& root);

}  // namespace

char CurrentDirectoryDriveLetter() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length > 0 && length < MAX_PATH && IsLetter(folder[0]) && folder[1] == ':') return UpperLetter(folder[0]);
    if (GetSystemDirectoryA(folder, MAX_PATH) > 0 && IsLetter(folder[0])) return UpperLetter(folder[0]);
    return 'C';
}

bool DriveSelector::Create(HWND parent, const Settings& settings) {
    const RECT& r = settings.rect;
    // No integral height: the opened list keeps the form's height.
    const DWORD style = WS_CHILD | (settings.visible ? WS_VISIBLE : 0u) | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                        CBS_NOINTEGRALHEIGHT;
    combo_ =
        CreateWindowExA(0, "COMBOBOX", "", style, r.left, r.top, r.right - r.left, settings.openHeight, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(settings.id)), GetModuleHandleA(nullptr), nullptr);
    if (!combo_) return false;
    SendMessageA(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(settings.font), FALSE);
    SetClosedHeight(r.bottom - r.top);
    Fill();
    return true;
}

// The font makes the platform choose a taller closed field than the form's. What can be set
// is the selection field's height, and how much the platform adds around it (and reports
// back) varies, so measure the whole field and correct the value set until they agree.
void DriveSelector::SetClosedHeight(int height) {
    LRESULT field = SendMessageA(combo_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; field != CB_ERR && attempt < 3; ++attempt) {
        RECT rect{};
        GetWindowRect(combo_, &rect);
        const int difference = height - (rect.bottom - rect.top);
        if (difference == 0) return;
        field += difference;
        SendMessageA(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

namespace {

std::string EntryText(const std::string& root) {
    std::string entry = root.substr(0, 2);
    switch (GetDriveTypeA(root.c_str())) {
    case DRIVE_FIXED: {
        entry += " （硬盘）";
        char label[MAX_PATH + 1] = {};
        if (GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) &&
            label[0] != '\0') {
            entry += std::string(" ") + label;
        }
        break;
    }
    case DRIVE_REMOTE: entry += " （网络驱动器）"; break;
    case DRIVE_CDROM: entry += " （光驱）"; break;
    case DRIVE_RAMDISK: entry += " （内存虚拟驱动器）"; break;
    default:  // removable drives and the unknown show the letter alone
        break;
    }
    return entry;
}

}  // namespace

void DriveSelector::Fill() {
    const DWORD size = GetLogicalDriveStringsA(0, nullptr);
    if (size == 0) return;
    std::vector<char> roots(size + 1, '\0');
    if (GetLogicalDriveStringsA(size, roots.data()) == 0) return;
    const char current = CurrentDirectoryDriveLetter();
    for (const char* root = roots.data(); *root != '\0'; root += lstrlenA(root) + 1) {
        if (!IsLetter(root[0])) continue;
        const LRESULT index = SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryText(root).c_str()));
        if (index < 0) continue;
        SendMessageA(combo_, CB_SETITEMDATA, index, static_cast<LPARAM>(UpperLetter(root[0])));
        if (UpperLetter(root[0]) == current) SendMessageA(combo_, CB_SETCURSEL, index, 0);
    }
}

std::string DriveSelector::ChosenLetter() const {
    const LRESULT index = SendMessageA(combo_, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) {
        const LRESULT letter = SendMessageA(combo_, CB_GETITEMDATA, index, 0);
        if (letter != CB_ERR && IsLetter(static_cast<char>(letter))) return std::string(1, static_cast<char>(letter));
    }
    return std::string(1, CurrentDirectoryDriveLetter());
}

#include "platform/win32/Win32WindowServices.h"

#include <ole2.h>

#include <string>

#include "platform/ControlIds.h"
#include "platform/win32/DriveSelector.h"
#include "platform/win32/OpenFileDialog.h"

HWND Win32WindowServices::Find(Control control) const {
    if (control == Control::MainWindow) return parts_.mainWindow;
    const auto it = parts_.controls.find(control);
    return it == parts_.controls.end() ? nullptr : it->second;
}

void Win32WindowServices::SetControlDisabled(Control control, bool disabled) {
    if (HWND window = Find(control)) EnableWindow(window, disabled ? FALSE : TRUE);
}

void Win32WindowServices::SetControlText(Control control, const Text& text) {
    if (HWND window = Find(control)) SetWindowTextA(window, text.c_str());
}

Text Win32WindowServices::GetControlText(Control control) {
    HWND window = Find(control);
    if (!window) return "";
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

Text Win32WindowServices::GetCurrentDrive() {
    return parts_.driveSelector ? parts_.driveSelector->ChosenLetter() : Text(1, CurrentDirectoryDriveLetter());
}

void Win32WindowServices::SetTimerPeriod(int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == timerPeriod_) return;  // a running timer keeps its rhythm
    KillTimer(parts_.mainWindow, ControlId::Timer1);
    timerPeriod_ = milliseconds;
    if (milliseconds > 0) SetTimer(parts_.mainWindow, ControlId::Timer1, static_cast<UINT>(milliseconds), nullptr);
}

int Win32WindowServices::GetTimerPeriod() {
    return timerPeriod_;
}

bool Win32WindowServices::ShowOpenDialog() {
    return parts_.openDialog && parts_.openDialog->Show(parts_.mainWindow);
}

Text Win32WindowServices::GetDialogFileName() {
    return parts_.openDialog ? parts_.openDialog->FileName() : Text();
}

int Win32WindowServices::MessageResultOf(int platformAnswer) {
    switch (platformAnswer) {
    case IDOK: return 0;
    case IDCANCEL: return 1;
    case IDABORT: return 2;
    case IDRETRY: return 3;
    case IDIGNORE: return 4;
    case IDYES: return 5;
    case IDNO: return 6;
    default: return 0;
    }
}

int Win32WindowServices::ShowMessageBox(const Text& text, std::uint32_t style, const Text& caption) {
    const UINT modality = (style & MB_SYSTEMMODAL) ? 0 : MB_TASKMODAL;
    return MessageResultOf(MessageBoxA(nullptr, text.c_str(), caption.c_str(), style | modality));
}

WindowHandle Win32WindowServices::GetWindowHandle(Control window) {
    return reinterpret_cast<WindowHandle>(Find(window));
}

void Win32WindowServices::EndProgram(int exitCode) {
    if (parts_.mainWindow && IsWindow(parts_.mainWindow)) DestroyWindow(parts_.mainWindow);
    OleUninitialize();
    ExitProcess(static_cast<UINT>(exitCode));
}

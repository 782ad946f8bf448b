#pragma once
#include <windows.h>

#include <map>

#include "platform/WindowServices.h"

class DriveSelector;
class OpenFileDialog;

// WindowServices over the toolkit's windows of one form.
class Win32WindowServices : public WindowServices {
public:
    struct Parts {
        HWND mainWindow = nullptr;
        std::map<Control, HWND> controls;
        DriveSelector* driveSelector = nullptr;
        OpenFileDialog* openDialog = nullptr;
    };
    explicit Win32WindowServices(Parts parts) : parts_(std::move(parts)) {}

    void SetControlDisabled(Control control, bool disabled) override;
    void SetControlText(Control control, const Text& text) override;
    Text GetControlText(Control control) override;
    Text GetCurrentDrive() override;
    void SetTimerPeriod(int milliseconds) override;
    int GetTimerPeriod() override;
    bool ShowOpenDialog() override;
    Text GetDialogFileName() override;
    int ShowMessageBox(const Text& text, std::uint32_t style, const Text& caption) override;
    WindowHandle GetWindowHandle(Control window) override;
    [[noreturn]] void EndProgram(int exitCode) override;

    // The platform's message-box answer as the program numbers it (0 OK ... 6 No).
    static int MessageResultOf(int platformAnswer);

private:
    HWND Find(Control control) const;

    Parts parts_;
    int timerPeriod_ = 0;
};

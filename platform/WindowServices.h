#pragma once
#include <cstdint>

#include "SystemServices.h"
#include "Text.h"

enum class Control {
    MainWindow,
    PicBtn1,
    PicBtn2,
    PicBtn3,
    TransLabel1,
    TransLabel2,
    TransLabel3,
    TransLabel4,
    EditBox1,
    DriverBox1,
    Button1,
    Button2,
    Timer1,
    CommonDlg1,
};

// Message-box styles and results as the platform numbers them.
namespace MessageStyle {
constexpr std::uint32_t Ok = 0;
constexpr std::uint32_t OkStop = 0x10;
constexpr std::uint32_t YesNoInformation = 0x44;
}  // namespace MessageStyle
namespace MessageResult {
constexpr int Ok = 0, Cancel = 1, Abort = 2, Retry = 3, Ignore = 4, Yes = 5, No = 6;
}

class WindowServices {
public:
    virtual ~WindowServices() = default;

    virtual void SetControlDisabled(Control control, bool disabled) = 0;
    // Labels repaint at once with the window's picture behind; an edit box is replaced.
    virtual void SetControlText(Control control, const Text& text) = 0;
    virtual Text GetControlText(Control control) = 0;
    // DriverBox1's drive: one upper-case letter; the process's current drive when nothing is
    // chosen.
    virtual Text GetCurrentDrive() = 0;
    // Timer1: below 0 counts as 0; the same value again changes nothing; 0 stops the timer.
    virtual void SetTimerPeriod(int milliseconds) = 0;
    virtual int GetTimerPeriod() = 0;
    // CommonDlg1, modal; true only when the user confirmed a file, whose full path is then the
    // dialog's file name.
    virtual bool ShowOpenDialog() = 0;
    virtual Text GetDialogFileName() = 0;
    // Modal box without owner; MB_TASKMODAL added unless MB_SYSTEMMODAL is set. Results 0-6.
    virtual int ShowMessageBox(const Text& text, std::uint32_t style, const Text& caption) = 0;
    virtual WindowHandle GetWindowHandle(Control window) = 0;
    // Closes the toolkit down and ends the process with the code.
    [[noreturn]] virtual void EndProgram(int exitCode) = 0;
};

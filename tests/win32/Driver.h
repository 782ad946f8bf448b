#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives a running Vandrell from another process, as a user or an automation tool would:
// finds the window by class and its controls by ID, reads their texts and sends real mouse
// and keyboard input.
namespace driver {

class Program {
public:
    // Starts the program and waits until its main window is visible.
    explicit Program(const std::string& exePath);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    DWORD ProcessId() const { return info_.dwProcessId; }
    // Waits for the process to end; returns its exit code, or STILL_ACTIVE after the timeout.
    DWORD WaitForExit(DWORD timeoutMs);

private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

std::string TextOf(HWND window);
std::string ClassOf(HWND window);
RECT RectInParent(HWND child);
std::vector<std::string> ComboEntries(HWND combo);
std::string ComboSelection(HWND combo);

// Real input through the system's input queue.
void MoveMouseTo(POINT screen);
void MouseButton(bool down);
void ClickAt(POINT screen);
void Drag(POINT from, POINT to);
void PressKey(WORD virtualKey, bool withShift = false);
// The window with the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);
void TypeText(const std::string& ascii);
POINT ScreenPointOf(HWND window, int x, int y);  // a point of the window's client area

// Pumps this thread's messages and waits; lets the other process handle input.
void Settle(DWORD ms = 300);
// Waits until a visible top-level window of the process has this caption (null on timeout).
HWND WaitForTopLevel(DWORD processId, const std::string& caption, DWORD timeoutMs);
std::vector<HWND> TopLevelWindowsOf(DWORD processId);

// The program's select dialog, opened with a real click on PicBtn1 (null if it did not open).
HWND OpenSelectDialog(Program& program);
// The open dialog's file name box.
HWND FileNameBox(HWND dialog);
// Presses a dialog or message box button and waits for the box to close.
void PressDialogButton(HWND dialog, int id);
// Clicks a button of a box with the real mouse.
void ClickDialogButton(HWND dialog, int id);
// Chooses the drive in DriverBox1 with the real mouse and keyboard.
void ChooseDrive(Program& program, char letter);

// What `draw` paints into a width x height memory DC, as 0x00RRGGBB values.
std::vector<COLORREF> DrawnPixels(int width, int height, const std::function<void(HDC)>& draw);
// The screen's pixels under a rectangle (in screen coordinates), as 0x00RRGGBB values.
std::vector<COLORREF> GrabPixels(const RECT& screenRect);
// Saves the screen's pixels under the rectangle as a 24-bit BMP file.
bool SaveScreenBmp(const RECT& screenRect, const std::string& path);

}  // namespace driver

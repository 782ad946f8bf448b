#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/win32/DriveSelector.h"
#include "platform/win32/Handles.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/OpenFileDialog.h"
#include "platform/win32/Picture.h"
#include "platform/win32/PictureButton.h"
#include "platform/win32/TransparentLabel.h"
#include "platform/win32/Win32WindowServices.h"

struct ControlSpec;

// MainWindow and its controls, created from the fixed form table. Owns every window, font
// and picture of the form; the fonts and pictures are declared first, so they outlive the
// windows that use them.
class Form {
public:
    Form();
    // Creates the window (not shown) and every control; false when the window cannot be made.
    bool Create();
    HWND MainHandle() const { return main_.Handle(); }
    // Keyboard navigation between the focus stops; true when the message is done with.
    bool TranslateNavigationKey(const MSG& message) { return main_.MoveFocusOnTab(message); }
    Win32WindowServices::Parts Parts();
    void BindClicks(std::function<void(int controlId)> onClicked) { main_.onClicked = std::move(onClicked); }
    void BindTimer(std::function<void(UINT_PTR timerId)> onTimer) { main_.onTimer = std::move(onTimer); }

private:
    bool CreateControls();
    HWND CreateControl(const ControlSpec& spec);
    HFONT FontFor(int role) const;
    const Picture* PictureFor(int resourceId) const;

    std::vector<std::pair<int, Picture>> pictures_;
    std::vector<UniqueGdiObject> fonts_;
    MainWindow main_;
    std::vector<std::unique_ptr<PictureButton>> pictureButtons_;
    std::vector<std::unique_ptr<TransparentLabel>> labels_;
    DriveSelector driveSelector_;
    OpenFileDialog openDialog_;
    std::map<Control, HWND> controls_;
};

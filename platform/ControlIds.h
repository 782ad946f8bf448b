#pragma once
#include "platform/WindowServices.h"

// The form's control IDs, which UI automation relies on, and Timer1's timer id.
namespace ControlId {
inline constexpr int PicBtn1 = 1001;
inline constexpr int PicBtn2 = 1002;
inline constexpr int PicBtn3 = 1003;
inline constexpr int TransLabel1 = 1101;
inline constexpr int TransLabel2 = 1102;
inline constexpr int TransLabel3 = 1103;
inline constexpr int TransLabel4 = 1104;
inline constexpr int EditBox1 = 1201;
inline constexpr int DriverBox1 = 1301;
inline constexpr int Button1 = 1401;
inline constexpr int Button2 = 1402;
inline constexpr int Timer1 = 1;
}  // namespace ControlId

// The ID of a control of the form; 0 for MainWindow and CommonDlg1, which have none.
constexpr int ControlIdOf(Control control) {
    switch (control) {
    case Control::PicBtn1: return ControlId::PicBtn1;
    case Control::PicBtn2: return ControlId::PicBtn2;
    case Control::PicBtn3: return ControlId::PicBtn3;
    case Control::TransLabel1: return ControlId::TransLabel1;
    case Control::TransLabel2: return ControlId::TransLabel2;
    case Control::TransLabel3: return ControlId::TransLabel3;
    case Control::TransLabel4: return ControlId::TransLabel4;
    case Control::EditBox1: return ControlId::EditBox1;
    case Control::DriverBox1: return ControlId::DriverBox1;
    case Control::Button1: return ControlId::Button1;
    case Control::Button2: return ControlId::Button2;
    case Control::Timer1: return ControlId::Timer1;
    case Control::MainWindow:
    case Control::CommonDlg1: return 0;
    }
    return 0;
}

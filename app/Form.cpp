#include "app/Form.h"

#include <commdlg.h>

#include "app/Resources.h"

namespace {

enum FontRole { kNoFont, kLabelBold, kLabelRegular, kBoxFont, kDefaultGuiFont, kFontRoles };

struct FontSpec {
    int height;
    int weight;
};
// "宋体" in code page 936, like every narrow literal of the program.
constexpr char kSongTi[] = "宋体";
constexpr FontSpec kFonts[kFontRoles] = {{0, 0}, {-14, FW_BOLD}, {-14, FW_NORMAL}, {-16, FW_NORMAL}, {0, 0}};

enum class Kind { PictureButton, Label, EditBox, DriveSelector, PushButton };

struct ControlSpec {
    Control control;
    Kind kind;
    int id;
    int left, top, width, height;  // for DriveSelector the closed field
    bool visible;
    const char* text;
    FontRole font;
    int normalPicture, hoverPicture;
    bool handCursor;
};

constexpr int kWidth = 345, kHeight = 181;
constexpr int kDriveListHeight = 80;  // DriverBox1's field and its opened list together
constexpr char kTitleLine[] = "Vandrell  -- Quennet软件";
constexpr char kWelcome[] = "欢迎使用 Vandrell，请按上面的两个步骤操作";

constexpr ControlSpec kControls[] = {
    {Control::PicBtn3, Kind::PictureButton, 1003, 304, 0, 38, 26, true, "", kNoFont, IDB_CLOSE, IDB_CLOSE, true},
    {Control::PicBtn1, Kind::PictureButton, 1001, 248, 54, 68, 29, true, "", kNoFont, IDB_SELECT_NORMAL,
     IDB_SELECT_HOVER, false},
    {Control::PicBtn2, Kind::PictureButton, 1002, 248, 112, 68, 29, true, "", kNoFont, IDB_START_NORMAL,
     IDB_START_HOVER, false},
    {Control::TransLabel1, Kind::Label, 1101, 32, 0, 216, 24, true, kTitleLine, kLabelBold, 0, 0, false},
    {Control::TransLabel2, Kind::Label, 1102, 24, 32, 208, 24, true, "1、 请选择install.Wim文件", kLabelBold, 0, 0,
     false},
    {Control::TransLabel3, Kind::Label, 1103, 24, 88, 208, 24, true, "2、 请选择驱动器", kLabelBold, 0, 0, false},
    {Control::TransLabel4, Kind::Label, 1104, 32, 152, 296, 24, true, kWelcome, kLabelRegular, 0, 0, false},
    {Control::EditBox1, Kind::EditBox, 1201, 24, 56, 216, 24, true, "", kBoxFont, 0, 0, false},
    {Control::DriverBox1, Kind::DriveSelector, 1301, 24, 112, 216, 24, true, "", kBoxFont, 0, 0, false},
    {Control::Button1, Kind::PushButton, 1401, -8, 216, 72, 24, false, "选   择", kDefaultGuiFont, 0, 0, false},
    {Control::Button2, Kind::PushButton, 1402, -16, 208, 72, 24, false, "安   装", kDefaultGuiFont, 0, 0, false},
};

constexpr int kPictures[] = {IDB_BACKGROUND,    IDB_CLOSE,        IDB_SELECT_NORMAL,
                             IDB_SELECT_HOVER,  IDB_START_NORMAL, IDB_START_HOVER};

constexpr OpenFileDialog::Settings kOpenDialog = {
    "请选择install.wim文件", "install.wim|*.WIM",
    OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER};

RECT RectOf(const ControlSpec& spec) {
    return RECT{spec.left, spec.top, spec.left + spec.width, spec.top + spec.height};
}

HWND CreateStandard(const char* className, DWORD exStyle, DWORD style, const ControlSpec& spec, HWND parent) {
    return CreateWindowExA(exStyle, className, spec.text, WS_CHILD | (spec.visible ? WS_VISIBLE : 0) | style,
                           spec.left, spec.top, spec.width, spec.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleA(nullptr),
                           nullptr);
}

}  // namespace

Form::Form() : openDialog_(kOpenDialog) {
    for (int id : kPictures) pictures_.emplace_back(id, Picture(id));
    fonts_.resize(kFontRoles);
    for (int role = kLabelBold; role <= kBoxFont; ++role) {
        fonts_[role].Reset(CreateFontA(kFonts[role].height, 0, 0, 0, kFonts[role].weight, FALSE, FALSE, FALSE,
                                       GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, kSongTi));
    }
}

HFONT Form::FontFor(int role) const {
    if (role == kDefaultGuiFont) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return static_cast<HFONT>(fonts_[role].Get());
}

const Picture* Form::PictureFor(int resourceId) const {
    for (const auto& [id, picture] : pictures_) {
        if (id == resourceId) return &picture;
    }
    return nullptr;
}

bool Form::Create() {
    if (!main_.Create({"Vandrell", kWidth, kHeight, IDB_BACKGROUND, IDI_VANDRELL})) return false;
    return CreateControls();
}

bool Form::CreateControls() {
    HWND parent = main_.Handle();
    for (const ControlSpec& spec : kControls) {
        HWND created = nullptr;
        switch (spec.kind) {
        case Kind::PictureButton: {
            auto button = std::make_unique<PictureButton>();
            if (button->Create(parent, {spec.id, RectOf(spec), PictureFor(spec.normalPicture),
                                        PictureFor(spec.hoverPicture), spec.handCursor})) {
                created = button->Handle();
            }
            pictureButtons_.push_back(std::move(button));
            break;
        }
        case Kind::Label: {
            auto label = std::make_unique<TransparentLabel>();
            if (label->Create(parent, main_, {spec.id, RectOf(spec), spec.text, FontFor(spec.font)})) {
                created = label->Handle();
            }
            labels_.push_back(std::move(label));
            break;
        }
        case Kind::EditBox:
            created = CreateStandard("EDIT", WS_EX_CLIENTEDGE, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY,
                                     spec, parent);
            main_.SetWhiteBackgroundControl(created);
            break;
        case Kind::DriveSelector:
            if (driveSelector_.Create(parent, {spec.id, RectOf(spec), kDriveListHeight, FontFor(spec.font)})) {
                created = driveSelector_.Handle();
            }
            break;
        case Kind::PushButton:
            created = CreateStandard("BUTTON", 0, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, spec, parent);
            break;
        }
        if (!created) return false;
        if (spec.kind == Kind::EditBox || spec.kind == Kind::PushButton) {
            SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(spec.font)), FALSE);
        }
        ShowWindow(created, spec.visible ? SW_SHOWNA : SW_HIDE);
        controls_[spec.control] = created;
    }
    return true;
}

Win32WindowServices::Parts Form::Parts() {
    Win32WindowServices::Parts parts;
    parts.mainWindow = main_.Handle();
    parts.controls = controls_;
    parts.driveSelector = &driveSelector_;
    parts.openDialog = &openDialog_;
    return parts;
}

#include "app/Form.h"

#include <commdlg.h>

#include "app/Resources.h"
#include "platform/ControlIds.h"

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

}  // namespace

// One control of the form, by name: where it lies, whether it shows, what it reads and how.
struct ControlSpec {
    Control control;
    Kind kind;
    int left, top, width, height;
    bool visible = true;
    const char* text = "";
    FontRole font = kNoFont;
    int normalPicture = 0, hoverPicture = 0;
    bool handCursor = false;
};

namespace {

constexpr int kWidth = 345, kHeight = 181;
constexpr int kDriveListHeight = 80;  // DriverBox1's field and its opened list together
constexpr char kTitleLine[] = "Vandrell  -- Quennet软件";
constexpr char kWelcome[] = "欢迎使用 Vandrell，请按上面的两个步骤操作";

// One row a case, as a table reads.
// clang-format off
constexpr ControlSpec kControls[] = {
    {.control = Control::PicBtn3, .kind = Kind::PictureButton, .left = 304, .top = 0, .width = 38, .height = 26,
     .normalPicture = IDB_CLOSE, .hoverPicture = IDB_CLOSE, .handCursor = true},
    {.control = Control::PicBtn1, .kind = Kind::PictureButton, .left = 248, .top = 54, .width = 68, .height = 29,
     .normalPicture = IDB_SELECT_NORMAL, .hoverPicture = IDB_SELECT_HOVER},
    {.control = Control::PicBtn2, .kind = Kind::PictureButton, .left = 248, .top = 112, .width = 68, .height = 29,
     .normalPicture = IDB_START_NORMAL, .hoverPicture = IDB_START_HOVER},
    {.control = Control::TransLabel1, .kind = Kind::Label, .left = 32, .top = 0, .width = 216, .height = 24,
     .text = kTitleLine, .font = kLabelBold},
    {.control = Control::TransLabel2, .kind = Kind::Label, .left = 24, .top = 32, .width = 208, .height = 24,
     .text = "1、 请选择install.Wim文件", .font = kLabelBold},
    {.control = Control::TransLabel3, .kind = Kind::Label, .left = 24, .top = 88, .width = 208, .height = 24,
     .text = "2、 请选择驱动器", .font = kLabelBold},
    {.control = Control::TransLabel4, .kind = Kind::Label, .left = 32, .top = 152, .width = 296, .height = 24,
     .text = kWelcome, .font = kLabelRegular},
    {.control = Control::EditBox1, .kind = Kind::EditBox, .left = 24, .top = 56, .width = 216, .height = 24,
     .font = kBoxFont},
    {.control = Control::DriverBox1, .kind = Kind::DriveSelector, .left = 24, .top = 112, .width = 216, .height = 24,
     .font = kBoxFont},
    // The hidden twins of the two commands lie below and left of the client area as well, so
    // nobody ever sees or clicks them; the poll only disables and enables them.
    {.control = Control::Button1, .kind = Kind::PushButton, .left = -8, .top = 216, .width = 72, .height = 24,
     .visible = false, .text = "选   择", .font = kDefaultGuiFont},
    {.control = Control::Button2, .kind = Kind::PushButton, .left = -16, .top = 208, .width = 72, .height = 24,
     .visible = false, .text = "安   装", .font = kDefaultGuiFont},
};
// clang-format on

// The buttons' pictures; the main window loads the background itself.
constexpr int kPictures[] = {IDB_CLOSE, IDB_SELECT_NORMAL, IDB_SELECT_HOVER, IDB_START_NORMAL, IDB_START_HOVER};

// The overwrite prompt has no effect on an open dialog; the form sets it all the same.
constexpr OpenFileDialog::Settings kOpenDialog = {
    "请选择install.wim文件", "install.wim|*.WIM",
    OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER};

RECT RectOf(const ControlSpec& spec) {
    return RECT{spec.left, spec.top, spec.left + spec.width, spec.top + spec.height};
}

HWND CreateStandard(const char* className, DWORD exStyle, DWORD style, const ControlSpec& spec, HWND parent) {
    return CreateWindowExA(exStyle, className, spec.text, WS_CHILD | (spec.visible ? WS_VISIBLE : 0u) | style,
                           spec.left, spec.top, spec.width, spec.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlIdOf(spec.control))),
                           GetModuleHandleA(nullptr), nullptr);
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

HWND Form::CreateControl(const ControlSpec& spec) {
    HWND parent = main_.Handle();
    const int id = ControlIdOf(spec.control);
    switch (spec.kind) {
    case Kind::PictureButton: {
        auto button = std::make_unique<PictureButton>();
        const bool made = button->Create(parent, {id, RectOf(spec), spec.visible, PictureFor(spec.normalPicture),
                                                  PictureFor(spec.hoverPicture), spec.handCursor});
        HWND handle = made ? button->Handle() : nullptr;
        pictureButtons_.push_back(std::move(button));
        return handle;
    }
    case Kind::Label: {
        auto label = std::make_unique<TransparentLabel>();
        const bool made = label->Create(parent, main_, {id, RectOf(spec), spec.visible, spec.text, FontFor(spec.font)});
        HWND handle = made ? label->Handle() : nullptr;
        labels_.push_back(std::move(label));
        return handle;
    }
    case Kind::EditBox: {
        HWND edit =
            CreateStandard("EDIT", WS_EX_CLIENTEDGE, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, spec, parent);
        main_.SetWhiteBackgroundControl(edit);
        return edit;
    }
    case Kind::DriveSelector:
        return driveSelector_.Create(parent, {id, RectOf(spec), kDriveListHeight, spec.visible, FontFor(spec.font)})
                   ? driveSelector_.Handle()
                   : nullptr;
    case Kind::PushButton: return CreateStandard("BUTTON", 0, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, spec, parent);
    }
    return nullptr;
}

bool Form::CreateControls() {
    for (const ControlSpec& spec : kControls) {
        HWND created = CreateControl(spec);
        if (!created) return false;
        if (spec.kind == Kind::EditBox || spec.kind == Kind::PushButton) {
            SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(spec.font)), FALSE);
        }
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

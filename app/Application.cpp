#include "app/Application.h"

#include "payloads/EmbeddedPayloads.h"
#include "platform/ControlIds.h"

namespace {

// The form's click bindings; every other event of the window runs no program code.
enum class Handler { Select, Install, Close };
struct ClickBinding {
    Control control;
    Handler handler;
};
constexpr ClickBinding kClickBindings[] = {
    {Control::PicBtn1, Handler::Select},  {Control::Button1, Handler::Select}, {Control::PicBtn2, Handler::Install},
    {Control::Button2, Handler::Install}, {Control::PicBtn3, Handler::Close},
};

}  // namespace

Application::Application() : payloads_(EmbeddedPayloads()) {}

bool Application::Start() {
    if (!form_.Create()) return false;
    window_ = std::make_unique<Win32WindowServices>(form_.Parts());
    workflow_ = std::make_unique<Workflow>(system_, *window_, payloads_);
    form_.BindClicks([this](int id) { OnClicked(id); });
    form_.BindTimer([this](UINT_PTR id) { OnTimer(id); });
    workflow_->OnWindowCreated();
    return true;
}

int Application::Run() {
    HWND main = form_.MainHandle();
    if (!main || !IsWindow(main)) return 0;
    ShowWindow(main, SW_SHOWNORMAL);
    SetForegroundWindow(main);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (form_.TranslateNavigationKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

void Application::OnClicked(int controlId) {
    for (const ClickBinding& binding : kClickBindings) {
        if (ControlIdOf(binding.control) != controlId) continue;
        switch (binding.handler) {
        case Handler::Select: workflow_->OnSelectClicked(); break;
        case Handler::Install: workflow_->OnInstallClicked(); break;
        case Handler::Close: OnCloseClicked(); break;
        }
    }
}

void Application::OnTimer(UINT_PTR timerId) {
    if (timerId == ControlId::Timer1) workflow_->OnPollTimer();
}

void Application::OnCloseClicked() {
    window_->EndProgram(0);
}

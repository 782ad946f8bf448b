#pragma once
#include "app/Form.h"
#include "payloads/Payload.h"
#include "platform/win32/Win32SystemServices.h"
#include "platform/win32/Win32WindowServices.h"
#include "workflow/Workflow.h"

// The program: its form, the platform services over it, the workflow and the bindings of
// the form's events to the handlers.
class Application {
public:
    Application();
    // Creates the form and raises the created event; false when MainWindow cannot be made.
    bool Start();
    // Shows the window and runs the event loop while a window of the program exists.
    int Run();

private:
    void OnClicked(int controlId);
    void OnTimer(UINT_PTR timerId);
    void OnCloseClicked();

    Form form_;
    Win32SystemServices system_;
    std::unique_ptr<Win32WindowServices> window_;
    Payloads payloads_;
    std::unique_ptr<Workflow> workflow_;
};

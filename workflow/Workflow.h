#pragma once
#include <memory>

#include "payloads/Payload.h"
#include "platform/SystemServices.h"
#include "platform/WindowServices.h"

// The installer's commands over the control set. Handlers take nothing and return nothing;
// what has to survive between events lives in the controls, except the imaging run that the
// install command started, which the completion poll needs for its drive and exit code.
class Workflow {
public:
    Workflow(SystemServices& system, WindowServices& window, const Payloads& payloads)
        : system_(system), window_(window), payloads_(payloads) {}

    void OnWindowCreated();
    void OnSelectClicked();
    void OnInstallClicked();
    void OnPollTimer();

private:
    struct ImagingRun {
        std::unique_ptr<LaunchedProcess> process;
        Text driveLetter;
    };

    Text CurrentDrive() { return window_.GetCurrentDrive(); }
    bool LaunchImagingTool(const Text& commandLine, const Text& driveLetter);
    bool ImagingToolRunning();
    bool ImagingSucceeded();
    bool SetUpBootSector(const Text& drive);

    SystemServices& system_;
    WindowServices& window_;
    const Payloads& payloads_;
    ImagingRun imaging_;
};

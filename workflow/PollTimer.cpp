#include "util/DirectoryTree.h"
#include "util/PathPredicates.h"
#include "util/ProcessCheck.h"
#include "workflow/Messages.h"
#include "workflow/Tools.h"
#include "workflow/Workflow.h"

void Workflow::OnPollTimer() {
    if (ImagingToolRunning()) {
        window_.SetControlDisabled(Control::Button1, true);
        window_.SetControlDisabled(Control::Button2, true);
        return;
    }
    window_.SetControlDisabled(Control::Button1, false);
    window_.SetControlDisabled(Control::Button2, false);
    const Text drive = imaging_.driveLetter.empty() ? CurrentDrive() : imaging_.driveLetter;
    const bool imaged = ImagingSucceeded();
    imaging_ = ImagingRun{};
    if (!imaged) {
        window_.SetControlText(Control::TransLabel4, drive + Messages::kImagingFailed);
    } else {
        window_.SetControlText(Control::TransLabel4, Messages::kWorkingBefore + drive + Messages::kWorkingAfter);
        const bool booted = SetUpBootSector(drive);
        window_.SetControlText(Control::TransLabel4, drive + (booted ? Messages::kBootDone : Messages::kBootFailed));
    }
    window_.SetTimerPeriod(0);
}

// Any process named imagex.exe keeps the poll waiting, and so does the run the install
// command started until its process has ended.
bool Workflow::ImagingToolRunning() {
    // While the kept run goes on, a process of that name is certainly listed (it is that run):
    // one wait on its handle answers, and the far dearer process snapshot is taken only once
    // the run has ended or when there is none.
    if (imaging_.process && !imaging_.process->HasEnded()) return true;
    Text name = Tools::kImagingToolFile;
    return IsProcessRunning(system_, name);
}

// The kept run's exit code; true when there is no run to judge (nothing was started here).
bool Workflow::ImagingSucceeded() {
    if (!imaging_.process) return true;
    std::uint32_t exitCode = 0;
    return imaging_.process->ReadExitCode(exitCode) && exitCode == 0;
}

// The Boot folder and the boot sector tool when missing, then the tool's start.
bool Workflow::SetUpBootSector(const Text& drive) {
    if (!IsDirectory(system_, drive + Tools::kBootFolder)) {
        Text bootFolder = drive + Tools::kBootFolder;
        if (CreateDirectoryTree(system_, bootFolder) < 0) return false;
    }
    const Text toolPath = drive + Tools::kBootSectorTool;
    if (!FileExistsExact(system_, toolPath)) {
        if (payloads_.bootSectorTool.empty()) return false;
        if (!system_.WriteBytesToFile(toolPath, payloads_.bootSectorTool)) return false;
    }
    // The boot code goes to the target drive: "sys" would mean the running PC's own system
    // partition.
    return system_.RunCommandLine(toolPath + Tools::kBootCodeFor + drive + ":", false);
}

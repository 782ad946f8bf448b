#include "platform/Text.h"
#include "util/PathPredicates.h"
#include "workflow/Messages.h"
#include "workflow/Tools.h"
#include "workflow/Workflow.h"

namespace {

constexpr int kPollPeriodMs = 300;

// A path with a space or a tab would split into several arguments: quote it.
Text QuoteIfNeeded(const Text& path) {
    if (path.find_first_of(" \t") == Text::npos) return path;
    return "\"" + path + "\"";
}

Text ImagingCommandLine(const Text& imagePath, const Text& driveLetter) {
    return Tools::kImagingCommand + QuoteIfNeeded(imagePath) + Tools::kImageOneOnto + driveLetter + ":\\";
}

}  // namespace

void Workflow::OnInstallClicked() {
    if (window_.GetControlText(Control::EditBox1).empty()) {
        window_.ShowMessageBox(Messages::kChooseImage, MessageStyle::Ok, Messages::kNotice);
        return;
    }
    if (!system_.FileExists(window_.GetControlText(Control::EditBox1))) {
        window_.ShowMessageBox(Messages::kFileMissing, MessageStyle::Ok, Messages::kNotice);
        return;
    }
    const Text confirmation = Messages::kConfirmFormatBefore + CurrentDrive() + Messages::kConfirmFormatAfter;
    if (window_.ShowMessageBox(confirmation, MessageStyle::YesNoInformation, Messages::kWarning) !=
        MessageResult::Yes) {
        return;
    }
    if (!IsDirectoryEmpty(system_, CurrentDrive() + ":\\")) {
        window_.ShowMessageBox(Messages::kFormatFirst + CurrentDrive() + ":\\", MessageStyle::OkStop,
                               Messages::kNotice);
        return;
    }
    const auto driveNumber = static_cast<std::uint32_t>(CurrentDrive()[0] - 'A');
    system_.FormatDrive(window_.GetWindowHandle(Control::MainWindow), driveNumber);
    const Text driveLetter = CurrentDrive();
    const Text commandLine = ImagingCommandLine(window_.GetControlText(Control::EditBox1), driveLetter);
    if (!LaunchImagingTool(commandLine, driveLetter)) {
        window_.ShowMessageBox(Messages::kImagingToolNotStarted, MessageStyle::OkStop, Messages::kNotice);
        return;
    }
    window_.SetTimerPeriod(kPollPeriodMs);
}

// Starts the imaging tool from a trusted place only and keeps the run for the poll.
bool Workflow::LaunchImagingTool(const Text& commandLine, const Text& driveLetter) {
    const Text program = system_.LocateTrustedProgram(Tools::kImagingToolFile);
    if (program.empty()) return false;
    auto process = system_.StartProgram(program, commandLine);
    if (!process) return false;
    imaging_.process = std::move(process);
    imaging_.driveLetter = driveLetter;
    return true;
}

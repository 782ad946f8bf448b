#include "workflow/Workflow.h"

namespace {
constexpr char kImagingToolName[] = "\\imagex.exe";
}

// Puts the imaging tool into the system directory before the window is first shown.
void Workflow::OnWindowCreated() {
    // Never write an empty tool, and never guess a folder when the platform gives none.
    if (payloads_.imagingTool.empty() || system_.GetSystemDirectoryPath().empty()) return;
    if (system_.FileExists(system_.GetSystemDirectoryPath() + kImagingToolName)) return;
    system_.WriteBytesToFile(system_.GetSystemDirectoryPath() + kImagingToolName, payloads_.imagingTool);
}

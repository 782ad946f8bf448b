#include "workflow/Tools.h"
#include "workflow/Workflow.h"

// Puts the imaging tool into the system directory before the window is first shown.
void Workflow::OnWindowCreated() {
    // Never write an empty tool, and never guess a folder when the platform gives none.
    if (payloads_.imagingTool.empty() || system_.GetSystemDirectoryPath().empty()) return;
    if (system_.FileExists(system_.GetSystemDirectoryPath() + Tools::kImagingToolInSystemDirectory)) return;
    system_.WriteBytesToFile(system_.GetSystemDirectoryPath() + Tools::kImagingToolInSystemDirectory,
                             payloads_.imagingTool);
}

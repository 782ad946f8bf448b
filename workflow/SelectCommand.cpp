#include "workflow/Workflow.h"

void Workflow::OnSelectClicked() {
    if (!window_.ShowOpenDialog()) return;
    window_.SetControlText(Control::EditBox1, window_.GetDialogFileName());
}

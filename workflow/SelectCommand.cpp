#include "workflow/Workflow.h"

void Workflow::OnSelectClicked() {
    if (!window_.ShowOpenDialog(Control::CommonDlg1)) return;
    window_.SetControlText(Control::EditBox1, window_.GetDialogFileName(Control::CommonDlg1));
}

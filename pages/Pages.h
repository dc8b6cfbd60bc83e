#pragma once

// The feature pages.
namespace Pages {

// Registers the makers of the feature pages, so the main window opens them by
// name (ModFun::ShowChildForm("FrmRadioInfo")) and offers their commands.
void RegisterForms();

} // namespace Pages

#pragma once

// The feature pages.
namespace Pages {

// Registers the makers of the feature pages, so the main window opens them by
// name (ModFun::ShowChildForm("FrmRadioInfo")) and offers their commands, and
// installs their load rules for a new configuration (ModInitV::ApplyPageLoadRules).
void RegisterForms();

} // namespace Pages

#pragma once

// The channel editor's windows.
namespace Channels {

// Registers the makers of the channel windows, so the main window opens them
// by name (ModFun::ShowChildForm("frmCommChInfo")).
void RegisterForms();

} // namespace Channels

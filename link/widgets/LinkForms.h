#pragma once

// The link's windows that the program opens by name.
namespace LinkForms {

// Registers the makers of the port dialog "FrmSetComm" and the first-run
// set-up "LoadFrmLink".
void RegisterForms();

} // namespace LinkForms

#pragma once

// The shell's dialogs that other windows load by name.
namespace ShellForms {
void RegisterForms();
} // namespace ShellForms

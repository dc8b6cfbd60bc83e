#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QWidget;

namespace ModFunLang {
// The control named "CommandClose" of the window gets text 9023.
void SetCloseCaption(QWidget* window);
// The control named "CommandHelp" of the window gets text 9025.
void SetHelpCaption(QWidget* window);
void SetCloseHelpCaptions(QWidget* window);
// "CommandOK" gets text 9017, "CommandCancel" text 9018.
void SetOKCancelCaptions(QWidget* window);
} // namespace ModFunLang

namespace ModFun {

// Disables every text box, check box, combo box and grid of the window (the
// read-only look of Lock mode).
void SetControlsEnabled(QWidget* window);

// Brings a loaded window of that name to the front, or loads and shows it as a
// child of the main window, which then arranges its children in cascade.
// Returns the window, or nullptr when no window of that name can be made.
QWidget* ShowChildForm(const QString& name);

// Makes ShowChildForm and the child host's cascade the way code below the
// windows shows windows by name (Platform::Forms::ShowChild).
void InstallWindowOps();

// Opens the help file of the language in use at the context number; a message
// names the file when there is none or nothing opens it.
void OpenHelp(int context);
// The help topic of a control: its own, else that of the nearest window
// around it up to and including `window`; 0 when none has one.
int HelpContextOf(const QWidget* control, const QWidget* window);

// Unloads every loaded window of that name.
void UnloadFormByName(const QString& name);

// A value above 1 is first set to 0 in the caller's variable; the box shows it.
void SetCheckValue(QCheckBox* box, int& value);
// The variable takes the selected index when there is a selection.
void GetComboIndex(QComboBox* combo, int& value);
QString FindComboItem(QComboBox* combo, const QString& text);
QString GetComboItem(QComboBox* combo, int index);
void SelectComboText(QComboBox* combo, const QString& text);
void SelectComboIndex(QComboBox* combo, int index);
void AddComboItemUnique(QComboBox* combo, const QString& text);
int FindComboIndex(QComboBox* combo, const QString& text, int defaultIndex);

} // namespace ModFun

namespace ModShowFreFun {
// Item 0 is text 14013 (no call); then the numbers of the DTMF code memories
// that hold digits, ascending.
void FillDtmfCodeCombo(QComboBox* combo);
} // namespace ModShowFreFun

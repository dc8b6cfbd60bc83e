#pragma once

#include <QStringList>

class QComboBox;

// The serial ports the system knows, as the port dialogs list them.
namespace ModSetComm {

// "COM" followed by the number of each port of the port catalogue, in the
// catalogue's order; ports above 16 are listed too.
QStringList PortItems();

// Clears the combo box and adds the port items; no item is selected
// afterwards and the combo box reports no change while it is filled.
void FillPortCombo(QComboBox* combo);

} // namespace ModSetComm

#include "link/widgets/ModSetComm.h"

#include "platform/serial/SerialPorts.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace ModSetComm {

QStringList PortItems() {
    QStringList items;
    for (int port : Platform::SerialPorts::ListPorts())
        items << QStringLiteral("COM%1").arg(port);
    return items;
}

void FillPortCombo(QComboBox* combo) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(PortItems());
    combo->setCurrentIndex(-1);
}

} // namespace ModSetComm

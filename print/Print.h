#pragma once

#include <QPrinter>
#include <functional>
#include <memory>

namespace Platform {
class Printer;
}

// The printed report.
namespace Print {

// Registers the print selection dialog, so the main window offers its Print
// command.
void RegisterForms();

// Makes the printer a print job prints on, from the printer device the
// printer dialog has set up. Unset: a QPainter printer on that device.
using PrinterMaker = std::function<std::unique_ptr<Platform::Printer>(QPrinter&)>;
void SetPrinterMaker(PrinterMaker make);

} // namespace Print

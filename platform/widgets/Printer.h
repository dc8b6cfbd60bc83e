#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

class QPrinter;
class QWidget;

namespace Platform {

// A failure of the printer layer (the printer did not take the document). The
// print job stops on it.
class PrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The print queue offers no paper of the size the job is set up for; nothing
// is sent. The paper's name is as the printer dialogs show it.
class PaperNotOffered : public PrinterError {
public:
    explicit PaperNotOffered(const QString& paper)
        : PrinterError("the print queue offers no such paper"), paper(paper) {}
    QString paper;
};

// The printer as the printed report sees it. Positions and sizes are in
// printer units, with the origin at the top left of the printable area.
class Printer {
public:
    virtual ~Printer() = default;

    virtual void SetFontSize(double points) = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual double CurrentX() const = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentY(double y) = 0;
    // The printable area.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual double TextWidth(const QString& text) const = 0;
    // How far one printed line moves down in the current font.
    virtual double LineHeight() const = 0;
    // Prints at (x, y) and ends the line: x goes back to 0 and y down one line.
    // Each CR LF pair inside the text ends one further line.
    virtual void Print(const QString& text) = 0;
    // Ends the page; the next output goes to the top of a new page.
    virtual void NewPage() = 0;
    // Ends the document and hands it to the printer.
    virtual void EndDoc() = 0;
    // Drops the document: nothing of it reaches the printer.
    virtual void Abort() = 0;
    // 1 on the first page, one more after each new page.
    virtual int Page() const = 0;
};

// The program's one printer device; it keeps what the printer dialogs chose.
QPrinter& ProgramPrinter();

// A printer that draws with QPainter in the units of a printer device, with
// the font's own line spacing, on the device's paper inside its margins (in
// full-page mode too, where the printer dialogs keep them). The document is
// composed in memory and, at its end of document, rendered to PDF and handed
// over: to the device's print queue, whose answer is checked, or to the
// device's file, whose every write is checked. A refused or failed hand-over
// is a PrinterError; a print queue that offers no paper of the device's size
// is PaperNotOffered, before anything is composed. A job that stops on an
// error (Abort, or a printer destroyed before its end of document) sends
// nothing. A page exists only when something is printed on it, so no sheet
// comes out blank. The job's title is the device's docName.
std::unique_ptr<Printer> MakePaintPrinter(QPrinter& device);

// The printer dialog and its set-up form. Both return false when the user
// cancels. The paper, orientation and margins the user chose reach the
// printer: see QtPrintDialogs in Printer.cpp.
namespace PrintDialogs {

class Service {
public:
    virtual ~Service() = default;
    virtual bool ShowPrinter(QWidget* parent, QPrinter& printer) = 0;
    virtual bool ShowPrinterSetup(QWidget* parent, QPrinter& printer) = 0;
    // The print queue the dialog chose for the printer; empty when it prints
    // to a file.
    virtual QString Queue(const QPrinter& printer);
};

// Installs the service (not owned); nullptr restores the QPrintDialog one,
// which then knows of no paper the user chose.
void SetService(Service* service);

bool ShowPrinter(QWidget* parent, QPrinter& printer);
bool ShowPrinterSetup(QWidget* parent, QPrinter& printer);
QString Queue(const QPrinter& printer);

} // namespace PrintDialogs

} // namespace Platform

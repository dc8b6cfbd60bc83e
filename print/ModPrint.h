#pragma once

#include "data/RadioData.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <stdexcept>

class QWidget;

namespace Platform {
class Printer;
}

// The printed report of the working configuration: the page model shared by
// every section (header, footer, lines of cells, label/value pairs) and the
// section printers. The sections take their captions and texts from the pages
// that edit them, loaded hidden, so the paper carries the screen's words.
namespace ModPrint {

// The section boxes of the print selection, in this order: channel
// information, channel details, whole-radio options, DTMF, keys, scan,
// emergency alert, embedded message, this radio's information.
extern std::array<qint16, 9> gPrintSelection;
// -1 while a job runs and after a finished one; 0 after a cancelled or failed one.
extern qint16 gPrintDone;
// The vertical position of the line being composed.
extern qint32 gPrtLineY;

// The printer the sections print on while a job runs (not owned).
void SetPrinter(Platform::Printer* printer);
Platform::Printer& Printer();

// The paper and margins of the job are too small for the report: its texts
// do not fit across the page, or its lines (a whole channel detail block) do
// not fit below the head of a page, even in the least font size.
class PaperTooSmall : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Line rule: a line starts at the current y; each cell goes back to it. A
// line that does not fit above the footer starts a continuation page, with
// the page header and the head of the section (its title, and the table's
// heading for the channel table).
void StartLine();
// Prints a cell of the line at x, in printer units.
void PrintCell(double x, const QString& text);

// The page header: the report's title, the date and time, the model, band
// and file name; it leaves the font of the running section, not bold.
// PaperTooSmall when even the least font size is too wide for it.
void PrintPageHeader();
void PrintPage();

// Printing changes nothing: the pages that a section loads hidden correct what
// they show as they load, and this puts the working configuration back as it
// was when it was made.
class KeepConfiguration {
public:
    KeepConfiguration();
    ~KeepConfiguration();
    KeepConfiguration(const KeepConfiguration&) = delete;
    KeepConfiguration& operator=(const KeepConfiguration&) = delete;

private:
    TRadioData data_;
    TExtraData extra_;
    TTestData testBlock_;
};

// The section printers; each leaves the printer at the top of a fresh page.
void Prt_UHFChannel();
void Prt_Option();
void Prt_DTMF();
void Prt_EMG();
void Prt_Key();
void Prt_Scan();
void Prt_Alert();
void Prt_Local();

} // namespace ModPrint

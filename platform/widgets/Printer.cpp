#include "platform/widgets/Printer.h"

#include <QAbstractButton>
#include <QChildEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPair>
#include <QPdfWriter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cups/cups.h>
#include <optional>
#include <string>

namespace Platform {

namespace {

// The options a print queue is given with a document: the queue's own saved
// choices, then the paper, copies, sides and orientation of the device and
// what the printer dialog chose on its option pages, as Qt's own print engine
// gives them.
using Options = QList<QPair<QByteArray, QByteArray>>;

Options QueueOptions(const QPrinter& device, const QByteArray& name, const QByteArray& instance) {
    Options options;
    const auto add = [&options](const QByteArray& option, const QByteArray& value) {
        options.append(qMakePair(option, value));
    };
    if (cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                             instance.isEmpty() ? nullptr : instance.constData())) {
        for (int i = 0; i < dest->num_options; ++i)
            add(dest->options[i].name, dest->options[i].value);
        cupsFreeDests(1, dest);
    }
    const QPageLayout layout = device.pageLayout();
    add("media", layout.pageSize().key().toUtf8());
    if (device.copyCount() > 1) {
        add("copies", QByteArray::number(device.copyCount()));
        if (device.collateCopies()) add("Collate", "True");
    }
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    switch (device.duplex()) {
    case QPrinter::DuplexNone:
        add("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        add("sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge");
        break;
    case QPrinter::DuplexLongSide:
        add("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        add("sides", "two-sided-short-edge");
        break;
    }
    if (landscape) add("landscape", "");
    // the printer dialog keeps its option pages' choices, name and value in
    // turn, under this engine key
    constexpr auto kDialogOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    if (QPrintEngine* engine = device.printEngine()) {
        const QStringList chosen = engine->property(kDialogOptions).toStringList();
        for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
            add(chosen[i].toUtf8(), chosen[i + 1].toUtf8());
    }
    return options;
}

// Hands the PDF file to the print queue; PrinterError unless the print system
// takes the job.
void SubmitToQueue(const QPrinter& device, const QString& queue, const QString& pdf) {
    const QByteArray name = queue.section(u'/', 0, 0).toUtf8();
    const QByteArray instance = queue.section(u'/', 1).toUtf8();
    int count = 0;
    cups_option_t* options = nullptr;
    for (const auto& [option, value] : QueueOptions(device, name, instance))
        count = cupsAddOption(option.constData(), value.constData(), count, &options);
    const int job = cupsPrintFile(name.constData(), QFile::encodeName(pdf).constData(),
                                  device.docName().toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job <= 0)
        throw PrinterError(std::string("the print system refused the job: ") +
                           cupsLastErrorString());
}

// Writes the document to the file; PrinterError unless every byte of it is
// written and the file closed without an error. A file is written beside its
// place and put there only when whole; a device or a pipe is written in place.
void WriteToFile(const QString& path, const QByteArray& document) {
    if (path.isEmpty()) throw PrinterError("the printer has no file to print to");
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
            file.write(document) != document.size())
            throw PrinterError("the document could not be written");
        file.close();
        if (file.error() != QFileDevice::NoError)
            throw PrinterError("the document could not be written");
        return;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(true); // a folder that takes the file but no file beside it
    if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size() ||
        !file.commit())
        throw PrinterError("the document could not be written");
}

// PaperNotOffered when the device's print queue, as the print system
// describes it, neither offers the device's paper nor takes sizes of its own.
void RefuseMissingPaper(const QPrinter& device) {
    const QString queue = PrintDialogs::Queue(device);
    if (queue.isEmpty()) return;
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue.section(u'/', 0, 0));
    const QList<QPageSize> offered = info.supportedPageSizes();
    if (info.isNull() || offered.isEmpty() || info.supportsCustomPageSizes()) return;
    const QPageSize paper = device.pageLayout().pageSize();
    for (const QPageSize& size : offered)
        if (size.isEquivalentTo(paper)) return;
    throw PaperNotOffered(paper.name());
}

class PaintPrinter final : public Printer {
public:
    explicit PaintPrinter(QPrinter& device)
        : device_(device), pdf_(folder_.filePath(QStringLiteral("document.pdf"))) {
        if (!folder_.isValid()) throw PrinterError("no room to compose the document");
        RefuseMissingPaper(device);
        // the document is rendered in the device's units on the device's page
        // inside its margins, also in full-page mode (SetLayout)
        const QPageLayout printed = device.pageLayout();
        const QPageLayout layout(printed.pageSize(), printed.orientation(), printed.margins(),
                                 printed.units());
        pdf_.setResolution(device.resolution());
        pdf_.setPageLayout(layout);
        pdf_.setTitle(device.docName());
        pdf_.setCreator(device.creator());
        if (pdf_.width() <= 0 || pdf_.height() <= 0)
            throw PrinterError("the printer has no printable area");
    }

    void SetFontSize(double points) override { font_.setPointSizeF(points); }
    void SetFontBold(bool bold) override { font_.setBold(bold); }
    double CurrentX() const override { return x_; }
    void SetCurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return y_; }
    void SetCurrentY(double y) override { y_ = y; }
    double ScaleWidth() const override { return pdf_.width(); }
    double ScaleHeight() const override { return pdf_.height(); }
    double TextWidth(const QString& text) const override {
        return QFontMetricsF(font_, &pdf_).horizontalAdvance(text);
    }
    double LineHeight() const override { return QFontMetricsF(font_, &pdf_).lineSpacing(); }
    void Print(const QString& text) override {
        const QFontMetricsF metrics(font_, &pdf_);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (const QString& line : lines) {
            if (!line.isEmpty()) {
                if (pages_.isEmpty() || pendingPage_) pages_.emplace_back();
                pendingPage_ = false;
                pages_.last().append({QPointF(x_, y_ + metrics.ascent()), font_, line});
            }
            x_ = 0;
            y_ += metrics.lineSpacing();
        }
    }
    void NewPage() override {
        pendingPage_ = true;
        ++page_;
        x_ = 0;
        y_ = 0;
    }
    void EndDoc() override {
        if (pages_.isEmpty()) return;
        Render();
        QFile rendered(folder_.filePath(QStringLiteral("document.pdf")));
        const QByteArray document =
            rendered.open(QIODevice::ReadOnly) ? rendered.readAll() : QByteArray();
        if (document.isEmpty()) throw PrinterError("the document was not rendered");
        const QString queue = PrintDialogs::Queue(device_);
        if (queue.isEmpty())
            WriteToFile(device_.outputFileName(), document);
        else
            SubmitToQueue(device_, queue, rendered.fileName());
    }
    void Abort() override { pages_.clear(); }
    int Page() const override { return page_; }

private:
    struct Text {
        QPointF baseline;
        QFont font;
        QString text;
    };

    void Render() {
        QPainter painter;
        if (!painter.begin(&pdf_)) throw PrinterError("the document could not be rendered");
        for (qsizetype i = 0; i < pages_.size(); ++i) {
            if (i > 0 && !pdf_.newPage()) throw PrinterError("the document could not be rendered");
            for (const Text& t : pages_[i]) {
                painter.setFont(t.font);
                painter.drawText(t.baseline, t.text);
            }
        }
        pages_.clear();
        if (!painter.end()) throw PrinterError("the document could not be rendered");
    }

    QPrinter& device_;
    QTemporaryDir folder_;
    QPdfWriter pdf_; // renders the document into a file of the folder
    QFont font_;
    QList<QList<Text>> pages_; // the document composed so far
    double x_ = 0;
    double y_ = 0;
    int page_ = 1;
    bool pendingPage_ = false;
};

// Puts what prints on the printer: the layout's paper and orientation, and
// on each edge the larger of the layout's margin and the least the printer
// can print with on that edge of the sheet. The least margins belong to the
// sheet as it goes through the printer; a landscape page lies across it,
// turned a quarter anticlockwise (its top along the sheet's left edge, its
// right along the sheet's top), so they turn with the page. Qt keeps a
// printer's margins at or above its least margins as they are unturned,
// except in full-page mode, so the printer is put in it; the report prints
// inside the margins all the same (MakePaintPrinter).
void SetLayout(QPrinter& printer, const QPageLayout& layout) {
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(layout.pageSize());
    QPageLayout sheet = printer.pageLayout();
    sheet.setUnits(layout.units());
    QMarginsF least = sheet.minimumMargins();
    if (layout.orientation() == QPageLayout::Landscape)
        least = QMarginsF(least.bottom(), least.left(), least.top(), least.right());
    const QMarginsF wanted = layout.margins();
    printer.setFullPage(true);
    printer.setPageOrientation(layout.orientation());
    printer.setPageMargins(QMarginsF(std::max(wanted.left(), least.left()),
                                     std::max(wanted.top(), least.top()),
                                     std::max(wanted.right(), least.right()),
                                     std::max(wanted.bottom(), least.bottom())),
                           layout.units());
}

// The margin fields of a page set-up form (the set-up dialog, or the page
// properties that a print dialog opens), left, top, right and bottom, and
// their unit; none when the form lacks one of them.
class MarginFields {
public:
    explicit MarginFields(const QWidget& form) {
        const auto* units = form.findChild<QComboBox*>(QStringLiteral("unitCombo"));
        if (!units || !units->currentData().canConvert<QPageLayout::Unit>()) return;
        unit_ = units->currentData().value<QPageLayout::Unit>();
        for (const char* side : {"leftMargin", "topMargin", "rightMargin", "bottomMargin"})
            if (auto* box = form.findChild<QDoubleSpinBox*>(QLatin1String(side))) sides_ << box;
    }
    bool Found() const { return sides_.size() == 4; }
    // The margins of the layout shown in the fields.
    void Show(QPageLayout layout) const {
        layout.setUnits(unit_);
        const QMarginsF m = layout.margins();
        const std::array values{m.left(), m.top(), m.right(), m.bottom()};
        for (int i = 0; i < 4; ++i)
            sides_[i]->setValue(values[i]);
    }
    // The layout with the margins the fields show.
    QPageLayout Shown(QPageLayout layout) const {
        layout.setUnits(unit_);
        layout.setMargins(QMarginsF(sides_[0]->value(), sides_[1]->value(), sides_[2]->value(),
                                    sides_[3]->value()));
        return layout;
    }

private:
    QPageLayout::Unit unit_ = QPageLayout::Millimeter;
    QList<QDoubleSpinBox*> sides_;
};

constexpr QLatin1StringView kPaperList{"pageSizeCombo"};

// The orientation a page set-up form shows; none when it shows none.
std::optional<QPageLayout::Orientation> FormOrientation(const QWidget& form) {
    const auto checked = [&form](const char* name) {
        const auto* button = form.findChild<QAbstractButton*>(QLatin1String(name));
        return button && button->isChecked();
    };
    if (checked("landscape") || checked("reverseLandscape")) return QPageLayout::Landscape;
    if (checked("portrait") || checked("reversePortrait")) return QPageLayout::Portrait;
    return std::nullopt;
}

// What a page set-up form shows when it is accepted: its paper, orientation
// and margins. Qt puts none of it on a printer that cannot print those
// margins, so the form's own fields are read; where one is missing, the
// printer's value stands.
QPageLayout FormLayout(const QWidget& form, const QPrinter& printer) {
    const QPageLayout applied = printer.pageLayout();
    QPageSize paper = applied.pageSize();
    if (const auto* list = form.findChild<QComboBox*>(kPaperList))
        if (const auto shown = list->currentData().value<QPageSize>(); shown.isValid())
            paper = shown;
    const QPageLayout::Orientation orientation =
        FormOrientation(form).value_or(applied.orientation());
    // without the printer's least margins, which the user's may be below
    const QPageLayout layout(paper, orientation, applied.margins(), applied.units());
    const MarginFields fields(form);
    return fields.Found() ? fields.Shown(layout) : layout;
}

// Shows the layout in a page set-up form: its paper, where the form offers
// it, its orientation and its margins, in this order, as the form puts
// margins of its own with a paper or an orientation.
void ShowLayout(QWidget& form, const QPageLayout& layout) {
    if (auto* list = form.findChild<QComboBox*>(kPaperList))
        for (int i = 0; i < list->count(); ++i)
            if (list->itemData(i).value<QPageSize>().isEquivalentTo(layout.pageSize()))
                list->setCurrentIndex(i);
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    if (FormOrientation(form) != layout.orientation())
        if (auto* button = form.findChild<QAbstractButton*>(
                QLatin1String(landscape ? "landscape" : "portrait")))
            button->click();
    if (const MarginFields fields(form); fields.Found()) fields.Show(layout);
}

// The paper, orientation and margins the user chooses in a window that a
// print dialog opens (its page properties): those the window shows when it
// is accepted, changed there or not; a window cancelled chooses nothing. Each
// time such a window opens, it shows what will print, where it offers the
// paper: what was chosen so far, not what the dialog puts there itself (a
// queue's own paper and margins).
class PagePick final : public QObject {
public:
    PagePick(QPrintDialog& dialog, const std::optional<QPageLayout>& printing)
        : dialog_(&dialog), printing_(printing) {
        dialog.installEventFilter(this);
        Watch(&dialog);
    }
    std::optional<QPageLayout> page;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished) {
            if (auto* window = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
                Watch(window);
        } else if (event->type() == QEvent::Show && object != dialog_ && printing_) {
            ShowLayout(*static_cast<QWidget*>(object), *printing_);
        }
        return false;
    }

private:
    void Watch(QWidget* widget) {
        for (QComboBox* list : widget->findChildren<QComboBox*>(kPaperList)) {
            auto* window = qobject_cast<QDialog*>(list->window());
            if (!window || window == dialog_ || watched_.contains(window)) continue;
            watched_.append(window);
            window->installEventFilter(this);
            connect(window, &QDialog::accepted, this, [this, window] {
                page = printing_ = FormLayout(*window, *dialog_->printer());
            });
        }
    }
    QPrintDialog* dialog_;
    std::optional<QPageLayout> printing_; // what prints so far
    QList<QPointer<QDialog>> watched_;
};

// On a print queue Qt's dialogs lose the paper and margins: the set-up form
// offers the queue's papers with margins it cannot print, so the queue
// refuses the whole page and keeps its own; the print dialog puts the queue's
// own paper and margins back when it is accepted, and both open on the
// queue's own paper. So the paper, orientation and margins the user chose are
// kept here, shown by each form as it opens, and put on the printer after
// each dialog through SetLayout: those of the set-up form; those of the print
// dialog's page properties; the orientation the print dialog chose. Until
// the user chose a paper, a queue prints on its own.
class QtPrintDialogs final : public PrintDialogs::Service {
public:
    void Forget() { chosen_.reset(); }
    bool ShowPrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        const PagePick pick(dialog, chosen_);
        if (dialog.exec() != QDialog::Accepted) return false;
        if (pick.page) chosen_ = pick.page;
        if (!chosen_) return true;
        chosen_->setOrientation(printer.pageLayout().orientation());
        SetLayout(printer, *chosen_);
        return true;
    }
    bool ShowPrinterSetup(QWidget* parent, QPrinter& printer) override {
        QPageSetupDialog dialog(&printer, parent);
        // the form opens on what was chosen, not on a print queue's own paper
        if (chosen_) ShowLayout(dialog, *chosen_);
        if (dialog.exec() != QDialog::Accepted) return false;
        chosen_ = FormLayout(dialog, printer);
        SetLayout(printer, *chosen_);
        return true;
    }

private:
    std::optional<QPageLayout> chosen_; // as the user chose it
};

} // namespace

QString PrintDialogs::Service::Queue(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty()
               ? printer.printerName()
               : QString();
}

namespace {

QtPrintDialogs gQtDialogs;
PrintDialogs::Service* gService = nullptr;

PrintDialogs::Service* CurrentService() {
    return gService ? gService : &gQtDialogs;
}

} // namespace

QPrinter& ProgramPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

std::unique_ptr<Printer> MakePaintPrinter(QPrinter& device) {
    return std::make_unique<PaintPrinter>(device);
}

namespace PrintDialogs {

void SetService(Service* service) {
    gService = service;
    gQtDialogs.Forget();
}

bool ShowPrinter(QWidget* parent, QPrinter& printer) {
    return CurrentService()->ShowPrinter(parent, printer);
}

bool ShowPrinterSetup(QWidget* parent, QPrinter& printer) {
    return CurrentService()->ShowPrinterSetup(parent, printer);
}

QString Queue(const QPrinter& printer) {
    return CurrentService()->Queue(printer);
}

} // namespace PrintDialogs

} // namespace Platform

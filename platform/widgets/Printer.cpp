#include "platform/widgets/Printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace Platform {

namespace {

class PaintPrinter final : public Printer {
public:
    explicit PaintPrinter(QPrinter& device) : device_(device) {
        if (!painter_.begin(&device_)) throw PrinterError("the printer did not start the document");
        font_ = painter_.font();
        painter_.setFont(font_);
    }
    // A document that was not ended (the job stopped on an error) is closed
    // with the pages it has.
    ~PaintPrinter() override {
        if (painter_.isActive()) painter_.end();
    }

    void SetFontSize(double points) override {
        font_.setPointSizeF(points);
        painter_.setFont(font_);
    }
    void SetFontBold(bool bold) override {
        font_.setBold(bold);
        painter_.setFont(font_);
    }
    double CurrentX() const override { return x_; }
    void SetCurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return y_; }
    void SetCurrentY(double y) override { y_ = y; }
    double ScaleWidth() const override { return device_.width(); }
    double ScaleHeight() const override { return device_.height(); }
    double TextWidth(const QString& text) const override {
        return QFontMetricsF(font_, &device_).horizontalAdvance(text);
    }
    // Lines are set solid: one line is as high as the font's size. The report
    // counts its rows (56 table rows, 5 channel blocks a page) rather than
    // measuring them, and with the font's own line spacing they would run
    // past the footer of a sheet.
    void Print(const QString& text) override {
        const QFontMetricsF metrics(font_, &device_);
        const double pitch = font_.pointSizeF() * device_.resolution() / 72.0;
        const double baseline = pitch * metrics.ascent() / metrics.height();
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (const QString& line : lines) {
            if (!line.isEmpty()) {
                StartPendingPage();
                painter_.drawText(QPointF(x_, y_ + baseline), line);
            }
            x_ = 0;
            y_ += pitch;
        }
    }
    void NewPage() override {
        pendingPage_ = true;
        ++page_;
        x_ = 0;
        y_ = 0;
    }
    void EndDoc() override {
        if (painter_.isActive()) painter_.end();
    }
    int Page() const override { return page_; }

private:
    void StartPendingPage() {
        if (!pendingPage_) return;
        pendingPage_ = false;
        if (!device_.newPage()) throw PrinterError("the printer did not start a new page");
    }

    QPrinter& device_;
    QPainter painter_;
    QFont font_;
    double x_ = 0;
    double y_ = 0;
    int page_ = 1;
    bool pendingPage_ = false;
};

class QtPrintDialogs final : public PrintDialogs::Service {
public:
    bool ShowPrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    bool ShowPrinterSetup(QWidget* parent, QPrinter& printer) override {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

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
}

bool ShowPrinter(QWidget* parent, QPrinter& printer) {
    return CurrentService()->ShowPrinter(parent, printer);
}

bool ShowPrinterSetup(QWidget* parent, QPrinter& printer) {
    return CurrentService()->ShowPrinterSetup(parent, printer);
}

} // namespace PrintDialogs

} // namespace Platform

#include "platform/widgets/Printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
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
        if (device_.width() <= 0 || device_.height() <= 0)
            throw PrinterError("the printer has no printable area");
    }

    void SetFontSize(double points) override { font_.setPointSizeF(points); }
    void SetFontBold(bool bold) override { font_.setBold(bold); }
    double CurrentX() const override { return x_; }
    void SetCurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return y_; }
    void SetCurrentY(double y) override { y_ = y; }
    double ScaleWidth() const override { return device_.width(); }
    double ScaleHeight() const override { return device_.height(); }
    double TextWidth(const QString& text) const override {
        return QFontMetricsF(font_, &device_).horizontalAdvance(text);
    }
    double LineHeight() const override { return QFontMetricsF(font_, &device_).lineSpacing(); }
    void Print(const QString& text) override {
        const QFontMetricsF metrics(font_, &device_);
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
        QPainter painter;
        if (!painter.begin(&device_)) throw PrinterError("the printer did not start the document");
        for (qsizetype i = 0; i < pages_.size(); ++i) {
            if (i > 0 && !device_.newPage()) {
                device_.abort();
                throw PrinterError("the printer did not start a new page");
            }
            for (const Text& t : pages_[i]) {
                painter.setFont(t.font);
                painter.drawText(t.baseline, t.text);
            }
        }
        pages_.clear();
        if (!painter.end()) throw PrinterError("the printer did not finish the document");
    }
    void Abort() override { pages_.clear(); }
    int Page() const override { return page_; }

private:
    struct Text {
        QPointF baseline;
        QFont font;
        QString text;
    };

    QPrinter& device_;
    QFont font_;
    QList<QList<Text>> pages_; // the document composed so far
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

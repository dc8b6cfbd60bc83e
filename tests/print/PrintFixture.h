#pragma once

#include "channels/Channels.h"
#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Printer.h"
#include "print/FrmPrintList.h"
#include "print/ModPrint.h"
#include "print/Print.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QList>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

// What a tool of poppler-utils prints for a PDF file; a failure to run it
// fails the test.
inline QString PdfTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " failed: " << process.errorString().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The number of pages pdfinfo finds in the file; -1 when it finds none.
inline int PdfPages(const QString& path) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))"))
                                          .match(PdfTool(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of the file, pages ended by a form feed.
inline QString PdfText(const QString& path) {
    return PdfTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
}

// What a recording printer was asked to do.
struct PrintRecord {
    struct Line {
        double x;
        double y;
        QString text;
        double size;
        bool bold;
        int page;
        double height; // of one line in the line's font
    };
    QList<Line> lines;
    int newPages = 0;
    bool ended = false;
    bool aborted = false;

    // Texts printed on a page (1-based), in order.
    QStringList TextsOn(int page) const {
        QStringList texts;
        for (const Line& l : lines)
            if (l.page == page) texts << l.text;
        return texts;
    }
    const Line* Find(const QString& text, int page = 0) const {
        for (const Line& l : lines)
            if (l.text == text && (page == 0 || l.page == page)) return &l;
        return nullptr;
    }
    // The lines printed at the same y as the line with this text, left to right.
    QStringList RowOf(const QString& text, int page = 0) const {
        const Line* first = Find(text, page);
        QStringList row;
        if (!first) return row;
        for (const Line& l : lines)
            if (l.page == first->page && l.y == first->y) row << l.text;
        return row;
    }
};

// A page of 1000 × 2000 units; a character is size units wide, a line is
// 2 × size units high.
class RecordingPrinter final : public Platform::Printer {
public:
    explicit RecordingPrinter(PrintRecord& record) : record_(record) {}
    void SetFontSize(double points) override { size_ = points; }
    void SetFontBold(bool bold) override { bold_ = bold; }
    double CurrentX() const override { return x_; }
    void SetCurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return y_; }
    void SetCurrentY(double y) override { y_ = y; }
    double ScaleWidth() const override { return 1000; }
    double ScaleHeight() const override { return 2000; }
    double TextWidth(const QString& text) const override { return size_ * text.size(); }
    double LineHeight() const override { return 2 * size_; }
    void Print(const QString& text) override {
        record_.lines.append({x_, y_, text, size_, bold_, page_, LineHeight()});
        x_ = 0;
        y_ += LineHeight() * (text.count(QStringLiteral("\r\n")) + 1);
    }
    void NewPage() override {
        ++page_;
        ++record_.newPages;
        x_ = y_ = 0;
    }
    void EndDoc() override { record_.ended = true; }
    void Abort() override { record_.aborted = true; }
    int Page() const override { return page_; }

private:
    PrintRecord& record_;
    double size_ = 12;
    bool bold_ = false;
    double x_ = 0;
    double y_ = 0;
    int page_ = 1;
};

// A printer dialog that answers from a list (true prints), counts, and
// chooses a print queue or the printer's file.
class FakePrintDialogs final : public Platform::PrintDialogs::Service {
public:
    FakePrintDialogs() { Platform::PrintDialogs::SetService(this); }
    ~FakePrintDialogs() override { Platform::PrintDialogs::SetService(nullptr); }
    bool ShowPrinter(QWidget*, QPrinter&) override {
        ++shown;
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    bool ShowPrinterSetup(QWidget*, QPrinter&) override {
        ++setupShown;
        return false;
    }
    QString Queue(const QPrinter&) override { return queue; }
    QString queue; // empty: the printer's file
    QList<bool> answers;
    int shown = 0;
    int setupShown = 0;
};

// A new configuration, English texts, the pages registered, and print jobs on
// a recording printer.
class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gLock = 0;
        Pages::RegisterForms();
        Channels::RegisterForms();
        Print::RegisterForms();
        Print::SetPrinterMaker([this](QPrinter&) -> std::unique_ptr<Platform::Printer> {
            return std::make_unique<RecordingPrinter>(record);
        });
    }
    void TearDown() override {
        Print::SetPrinterMaker(nullptr);
        for (QObject* form : Platform::Forms::Loaded())
            delete form;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gLock = 0;
    }

    // Runs a job with these section elements set (indices of gPrintSelection).
    void RunJob(std::initializer_list<int> elements) {
        std::unique_ptr<FrmPrintList> dialog(
            static_cast<FrmPrintList*>(Platform::Forms::Create(QStringLiteral("FrmPrintList"))));
        ModPrint::gPrintSelection.fill(0);
        for (int e : elements)
            ModPrint::gPrintSelection[e] = 1;
        dialog->PrintAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QString T(int n) { return ModFunLang::GetLangText(n); }
    static QString On() { return T(16041); }
    static QString Off() { return T(16040); }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    FakePrintDialogs dialogs;
    PrintRecord record;
};

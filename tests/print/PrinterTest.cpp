#include "PrintFixture.h"

#include <QFile>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray pdf = file.readAll();
    if (!pdf.startsWith("%PDF")) return -1;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("/Type /Pages.*?/Count (\\d+)"),
                           QRegularExpression::DotMatchesEverythingOption)
            .match(QString::fromLatin1(pdf));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

using PageLayoutTest = PrintTest;

TEST_F(PageLayoutTest, FooterCentresThePageNumberNearTheBottom) {
    RecordingPrinter printer(record);
    ModPrint::SetPrinter(&printer);
    printer.SetFontSize(10);
    for (int i = 1; i < 12; ++i)
        printer.NewPage();
    ModPrint::PrintPage();
    ModPrint::SetPrinter(nullptr);
    ASSERT_EQ(record.lines.size(), 1);
    const auto& footer = record.lines.front();
    EXPECT_EQ(footer.text, QStringLiteral("- 12 -"));
    EXPECT_DOUBLE_EQ(footer.x, (1000 - 60) / 2.0);
    EXPECT_DOUBLE_EQ(footer.y, 2000 - 60);
}

TEST_F(PageLayoutTest, LabelValuePairsShareTheLineWithLabelsEndingBeforeTheirColumn) {
    RecordingPrinter printer(record);
    ModPrint::SetPrinter(&printer);
    printer.SetFontSize(10);
    printer.SetCurrentY(100.5); // halves go to the even whole unit
    ModPrint::StartLine();
    EXPECT_EQ(ModPrint::gPrtLineY, 100);
    ModPrint::PrintLabelValue(35, QStringLiteral("Squelch"), QStringLiteral("5"));
    // wider than the space left of the column: starts further left
    ModPrint::PrintLabelValue(75, QString(80, u'L'), QStringLiteral("On"));
    ModPrint::SetPrinter(nullptr);
    ASSERT_EQ(record.lines.size(), 4);
    for (const auto& l : record.lines)
        EXPECT_EQ(l.y, 100);
    EXPECT_DOUBLE_EQ(record.lines[0].x, 350 - 70 - 20);
    EXPECT_DOUBLE_EQ(record.lines[1].x, 350);
    EXPECT_DOUBLE_EQ(record.lines[2].x, 750 - 800 - 20);
    EXPECT_DOUBLE_EQ(record.lines[3].x, 750);
}

TEST_F(PageLayoutTest, HeaderCentresTheTitleAndLeavesTheFontAtTenNotBold) {
    gDataFileName.clear();
    RecordingPrinter printer(record);
    ModPrint::SetPrinter(&printer);
    ModPrint::PrintPageHeader();
    printer.Print(QStringLiteral("after"));
    ModPrint::SetPrinter(nullptr);
    const QString title = T(29221) + QStringLiteral("\r\n");
    const auto* t = record.Find(title);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->size, 25);
    EXPECT_TRUE(t->bold);
    EXPECT_DOUBLE_EQ(t->x, (1000 - 25.0 * T(29221).size()) / 2);
    EXPECT_DOUBLE_EQ(t->y, 40);
    EXPECT_EQ(record.RowOf(T(29222)), (QStringList{T(29222), gModelName}));
    EXPECT_EQ(record.RowOf(T(29223)), (QStringList{T(29223), gBandText}));
    // an empty file name leaves only the CR LF at 25 %
    EXPECT_EQ(record.RowOf(T(29220)), (QStringList{T(29220), QStringLiteral("\r\n")}));
    EXPECT_EQ(record.Find(T(29220))->x, 80);
    EXPECT_TRUE(record.Find(T(29220))->bold);
    EXPECT_EQ(record.lines.back().size, 10);
    EXPECT_FALSE(record.lines.back().bold);
}

TEST(PaintPrinterTest, LinesPagesAndTheDocumentOnAPdfDevice) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(path);
    auto printer = Platform::MakePaintPrinter(device);
    printer->SetFontSize(10);
    EXPECT_GT(printer->ScaleWidth(), 0);
    EXPECT_GT(printer->TextWidth(QStringLiteral("WW")), printer->TextWidth(QStringLiteral("W")));
    printer->SetCurrentX(100);
    printer->Print(QStringLiteral("one"));
    const double line = printer->CurrentY();
    EXPECT_DOUBLE_EQ(line, 10.0 * device.resolution() / 72); // set solid
    EXPECT_EQ(printer->CurrentX(), 0);
    // a text and two CR LF pairs: two empty lines after it
    printer->Print(QStringLiteral("two\r\n\r\n"));
    EXPECT_DOUBLE_EQ(printer->CurrentY(), 4 * line);
    EXPECT_EQ(printer->Page(), 1);
    printer->NewPage();
    EXPECT_EQ(printer->Page(), 2);
    EXPECT_EQ(printer->CurrentY(), 0);
    printer->Print(QStringLiteral("second page"));
    printer->NewPage(); // nothing follows: no blank sheet
    printer->EndDoc();
    EXPECT_EQ(PdfPageCount(path), 2);
}

TEST(PaintPrinterTest, ADocumentNotEndedKeepsThePagesPrintedSoFar) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stopped.pdf"));
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(path);
    {
        auto printer = Platform::MakePaintPrinter(device);
        printer->Print(QStringLiteral("first section"));
        printer->NewPage();
    }
    EXPECT_EQ(PdfPageCount(path), 1);
}

TEST_F(PrintTest, AWholeJobGoesIntoOnePdfDocument) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.pdf"));
    Print::SetPrinterMaker(nullptr);
    QPrinter& device = Platform::ProgramPrinter();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(path);
    gEditData.ChannelCount = 6;
    for (int k = 0; k < 6; ++k) {
        gEditData.Channels[k].Number = static_cast<qint16>(k + 1);
        gEditData.Channels[k].RxFreq.Assign(QStringLiteral("43510000"));
    }
    RunJob({0, 1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(ModPrint::gPrintDone, -1);
    // two detail pages and one page for each further section
    EXPECT_EQ(PdfPageCount(path), 9);
    if (qEnvironmentVariableIsSet("CORVAN_KEEP_PDF"))
        QFile::copy(path, qEnvironmentVariable("CORVAN_KEEP_PDF"));
}

namespace {

// Passes every call on to a real printer and notes the lowest line start.
class WatchingPrinter final : public Platform::Printer {
public:
    WatchingPrinter(std::unique_ptr<Platform::Printer> real, double& lowestEnd)
        : lowestEnd(lowestEnd), real_(std::move(real)) {}
    void SetFontSize(double points) override { real_->SetFontSize(points); }
    void SetFontBold(bool bold) override { real_->SetFontBold(bold); }
    double CurrentX() const override { return real_->CurrentX(); }
    void SetCurrentX(double x) override { real_->SetCurrentX(x); }
    double CurrentY() const override { return real_->CurrentY(); }
    void SetCurrentY(double y) override { real_->SetCurrentY(y); }
    double ScaleWidth() const override { return real_->ScaleWidth(); }
    double ScaleHeight() const override { return real_->ScaleHeight(); }
    double TextWidth(const QString& text) const override { return real_->TextWidth(text); }
    void Print(const QString& text) override {
        if (!text.startsWith(QStringLiteral("- "))) lowestEnd = std::max(lowestEnd, LineEnd(text));
        real_->Print(text);
    }
    void NewPage() override { real_->NewPage(); }
    void EndDoc() override { real_->EndDoc(); }
    int Page() const override { return real_->Page(); }

    double& lowestEnd; // where the lowest text line ends

private:
    double LineEnd(const QString& text) {
        const double x = real_->CurrentX(), y = real_->CurrentY();
        QString probe = text;
        while (probe.endsWith(QStringLiteral("\r\n")))
            probe.chop(2);
        // the line's height: what one print moves down
        real_->SetCurrentY(0);
        real_->Print(QString());
        const double pitch = real_->CurrentY();
        real_->SetCurrentX(x);
        real_->SetCurrentY(y);
        return y + pitch * (probe.count(QStringLiteral("\r\n")) + 1);
    }
    std::unique_ptr<Platform::Printer> real_;
};

} // namespace

TEST_F(PrintTest, FullChannelPagesStayAboveTheFooterOnA4) {
    QTemporaryDir dir;
    double lowestEnd = 0;
    Print::SetPrinterMaker([&lowestEnd](QPrinter& device) -> std::unique_ptr<Platform::Printer> {
        return std::make_unique<WatchingPrinter>(Platform::MakePaintPrinter(device), lowestEnd);
    });
    QPrinter& device = Platform::ProgramPrinter();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setOutputFileName(dir.filePath(QStringLiteral("full.pdf")));
    gEditData.ChannelCount = 56;
    for (int k = 0; k < 56; ++k) {
        gEditData.Channels[k].Number = static_cast<qint16>(k + 1);
        gEditData.Channels[k].RxFreq.Assign(QStringLiteral("43510000"));
    }
    for (const auto& selection : {std::initializer_list<int>{0}, {0, 1}}) {
        lowestEnd = 0;
        RunJob(selection);
        EXPECT_GT(lowestEnd, 0);
        EXPECT_EQ(ModPrint::gPrintDone, -1);
        const double footer = device.height() * 0.97;
        EXPECT_LT(lowestEnd, footer) << selection.size();
        if (qEnvironmentVariableIsSet("CORVAN_KEEP_PDF"))
            QFile::copy(device.outputFileName(), qEnvironmentVariable("CORVAN_KEEP_PDF") +
                                                     QString::number(selection.size()));
    }
}

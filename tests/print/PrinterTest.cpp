#include "PrintFixture.h"

#include "print/PrintLayout.h"

#include <QFile>
#include <QTemporaryDir>

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

TEST(PrintLayoutTest, LabelsEndBeforeTheirValuesAndLongTextsMoveColumnsInsideTheWidth) {
    using namespace PrintLayout;
    const auto width = [](const QString& text) { return 10.0 * text.size(); };
    // right-aligned labels end 2 % before their values at 35 % and 75 %
    Grid grid{{{33, Align::Right}, {35}, {73, Align::Right}, {75}},
              {{{0, "Squelch"}, {1, "5"}, {2, "Voice"}, {3, "On"}}}};
    EXPECT_EQ(PlaceGrid(grid, 1000, 20, 20, width), (QList<double>{330, 350, 730, 750}));
    // a label wider than the room left of its column moves it and its value right
    grid.rows.append({{0, "Tone"}, {1, "5"}, {2, QString(50, u'L')}, {3, "On\r\n"}});
    EXPECT_EQ(PlaceGrid(grid, 1000, 20, 20, width), (QList<double>{330, 350, 880, 900}));
    // a value that would end past the width moves the columns left
    grid.rows.append({{2, "Tone"}, {3, QString(30, u'V')}});
    EXPECT_EQ(PlaceGrid(grid, 1000, 20, 20, width), (QList<double>{130, 150, 680, 700}));
    // texts wider than the page do not fit at all
    grid.rows.append({{0, "Tone"}, {1, QString(110, u'V')}});
    EXPECT_EQ(PlaceGrid(grid, 1000, 20, 20, width), std::nullopt);
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

TEST(PaintPrinterTest, LinesKeepTheFontsLeadingAndOnlyPagesWithTextComeOut) {
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
    EXPECT_DOUBLE_EQ(line, printer->LineHeight());
    EXPECT_GT(line, 10.0 * device.resolution() / 72); // not set solid
    EXPECT_EQ(printer->CurrentX(), 0);
    // a text and two CR LF pairs: two empty lines after it
    printer->Print(QStringLiteral("two\r\n\r\n"));
    EXPECT_DOUBLE_EQ(printer->CurrentY(), 4 * line);
    EXPECT_EQ(printer->Page(), 1);
    printer->NewPage();
    EXPECT_EQ(printer->Page(), 2);
    EXPECT_EQ(printer->CurrentY(), 0);
    printer->Print(QStringLiteral("second page"));
    printer->NewPage();                // nothing follows: no blank sheet
    EXPECT_FALSE(QFile::exists(path)); // composed, not sent yet
    printer->EndDoc();
    EXPECT_EQ(PdfPages(path), 2);
}

// Even the least report is larger than a file's write buffer; a document
// smaller than one must fail on a full device too.
TEST(PaintPrinterTest, ADeviceThatCannotTakeASmallDocumentFailsTheJob) {
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(QStringLiteral("/dev/full"));
    auto printer = Platform::MakePaintPrinter(device);
    printer->Print(QStringLiteral("x"));
    EXPECT_THROW(printer->EndDoc(), Platform::PrinterError);
}

TEST(PaintPrinterTest, AnAbortedDocumentSendsNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stopped.pdf"));
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(path);
    {
        auto printer = Platform::MakePaintPrinter(device);
        printer->Print(QStringLiteral("first section"));
        printer->NewPage();
        printer->Print(QStringLiteral("half a section"));
        printer->Abort();
    }
    EXPECT_FALSE(QFile::exists(path));
}

// The whole report of a full configuration printed into PDF files on the
// paper sizes, orientations and margins of the printer dialog: every channel
// once and in order, nothing in the footer's band, pages numbered through with
// none blank.
#include "PrintFixture.h"

#include "data/ProgramSettings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>
#include <map>

namespace {

// Passes every call on to the real printer and records what it prints, with
// the real printer's line height.
class TeePrinter final : public Platform::Printer {
public:
    TeePrinter(std::unique_ptr<Platform::Printer> real, PrintRecord& record)
        : real_(std::move(real)), record_(record) {}
    void SetFontSize(double points) override {
        size_ = points;
        real_->SetFontSize(points);
    }
    void SetFontBold(bool bold) override {
        bold_ = bold;
        real_->SetFontBold(bold);
    }
    double CurrentX() const override { return real_->CurrentX(); }
    void SetCurrentX(double x) override { real_->SetCurrentX(x); }
    double CurrentY() const override { return real_->CurrentY(); }
    void SetCurrentY(double y) override { real_->SetCurrentY(y); }
    double ScaleWidth() const override { return real_->ScaleWidth(); }
    double ScaleHeight() const override { return real_->ScaleHeight(); }
    double TextWidth(const QString& text) const override { return real_->TextWidth(text); }
    double LineHeight() const override { return real_->LineHeight(); }
    void Print(const QString& text) override {
        record_.lines.append({CurrentX(), CurrentY(), text, size_, bold_, Page(), LineHeight()});
        real_->Print(text);
    }
    void NewPage() override {
        ++record_.newPages;
        real_->NewPage();
    }
    void EndDoc() override {
        record_.ended = true;
        real_->EndDoc();
    }
    void Abort() override {
        record_.aborted = true;
        real_->Abort();
    }
    int Page() const override { return real_->Page(); }

private:
    std::unique_ptr<Platform::Printer> real_;
    PrintRecord& record_;
    double size_ = 0;
    bool bold_ = false;
};

struct Paper {
    const char* name;
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
    double marginMm;
    bool details;
    int language;         // 1 English, 2 Chinese
    bool refused = false; // too small even in the least font size
    bool wide = false;    // the radio's description in wide letters
};

std::string Name(const Paper& p) {
    return std::string(p.name) + (p.details ? "_Details" : "_Table") +
           (p.language == 2 ? "_Chinese" : "_English");
}

std::string CaseName(const ::testing::TestParamInfo<Paper>& info) {
    return Name(info.param);
}

void PrintTo(const Paper& p, std::ostream* out) {
    *out << Name(p);
}

std::vector<Paper> Papers() {
    const Paper sheets[] = {
        {"A4_5mm", QPageSize::A4, QPageLayout::Portrait, 5, false, 1},
        {"A4_25mm", QPageSize::A4, QPageLayout::Portrait, 25.4, false, 1},
        {"Letter_5mm", QPageSize::Letter, QPageLayout::Portrait, 5, false, 1},
        {"Letter_25mm", QPageSize::Letter, QPageLayout::Portrait, 25.4, false, 1},
        {"A4Landscape_25mm", QPageSize::A4, QPageLayout::Landscape, 25.4, false, 1},
        {"A5_0mm", QPageSize::A5, QPageLayout::Portrait, 0, false, 1},
        {"A5_25mm", QPageSize::A5, QPageLayout::Portrait, 25.4, false, 1},
        {"A4_40mm", QPageSize::A4, QPageLayout::Portrait, 40, false, 1},
        {"A5_12mm", QPageSize::A5, QPageLayout::Portrait, 12.7, false, 1},
    };
    std::vector<Paper> papers;
    for (const Paper& sheet : sheets)
        for (bool details : {false, true})
            for (int language : {1, 2}) {
                Paper p = sheet;
                p.details = details;
                p.language = language;
                papers.push_back(p);
            }
    // a whole detail block below the page's head in a smaller font; none at all
    papers.push_back({"A5Landscape_25mm", QPageSize::A5, QPageLayout::Landscape, 25.4, true, 2});
    for (bool details : {false, true})
        papers.push_back(
            {"A5Landscape_40mm", QPageSize::A5, QPageLayout::Landscape, 40, details, 1, true});
    papers.push_back({"A5_25mm_WideDescription", QPageSize::A5, {}, 25.4, false, 1, false, true});
    return papers;
}

class ReportPdfTest : public PrintTest, public ::testing::WithParamInterface<Paper> {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        if (GetParam().language == 2) {
            gCurrentLanguage = 2;
            ModFunLang::gLangFileName = QStringLiteral("chinese.ini");
        }
        // 128 channels created last to first, each with its own receive
        // frequency and a transmit frequency 5 MHz above it
        gEditData.ChannelCount = 128;
        for (int k = 0; k < 128; ++k) {
            TChannel ch;
            ch.Number = static_cast<qint16>(128 - k);
            ch.RxFreq.Assign(Rx(ch.Number).remove(u'.'));
            ch.OffsetDir = 2;
            ch.Offset.Assign(QStringLiteral("0500000"));
            gEditData.Channels[k] = ch;
        }
        // a long file name and a description as long as its field
        gDataFileName =
            QStringLiteral("/home/dealer/northern depot 2026/KL740 station seventeen.dat");
        for (int w = 0; GetParam().wide && w < 8; ++w) // WMMMMMMMMM MWMMMMMMMM ...
            description =
                (w ? description + u' ' : QString()) + QString(10, u'M').replace(w, 1, u'W');
        gLocalInfo.Description.Assign(description);
    }
    QString description = QString::fromUtf16(kDescription);
    static constexpr auto kDescription = u"Station seventeen handhelds, serviced after storm "
                                         u"damage in March; keep old batteries aside (JW)";
    static QString Rx(int number) {
        return QStringLiteral("435.1%1").arg(number, 4, 10, QChar(u'0'));
    }
};

TEST_P(ReportPdfTest, EveryChannelOnceAboveTheFooterOnNumberedPages) {
    const Paper& paper = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    Print::SetPrinterMaker([this](QPrinter& device) -> std::unique_ptr<Platform::Printer> {
        return std::make_unique<TeePrinter>(Platform::MakePaintPrinter(device), record);
    });
    QPrinter& device = Platform::ProgramPrinter();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(path);
    device.setPageLayout(
        QPageLayout(QPageSize(paper.size), paper.orientation,
                    QMarginsF(paper.marginMm, paper.marginMm, paper.marginMm, paper.marginMm),
                    QPageLayout::Millimeter));
    if (paper.details)
        RunJob({0, 1, 2, 3, 4, 5, 6, 7, 8});
    else
        RunJob({0, 2, 3, 4, 5, 6, 7, 8});
    if (paper.refused) {
        EXPECT_EQ(ModPrint::gPrintDone, 0);
        EXPECT_EQ(messages.CountOf(T(9092)), 1);
        EXPECT_FALSE(QFile::exists(path));
        return;
    }
    ASSERT_EQ(ModPrint::gPrintDone, -1);

    // every word inside the margins and clear of every other word; each
    // channel's frequencies as words of their own, once, in channel order
    const QString boxes = PdfTool(QStringLiteral("pdftotext"), {"-bbox", path, "-"});
    const double margin = paper.marginMm * 72 / 25.4, slack = 0.5;
    QStringList words;
    for (const QString& page : boxes.split(QStringLiteral("<page ")).mid(1)) {
        const auto size =
            QRegularExpression(R"re(width="([\d.]+)" height="([\d.]+)")re").match(page);
        const double right = size.captured(1).toDouble() - margin + slack;
        const double bottom = size.captured(2).toDouble() - margin + slack;
        QList<QRectF> boxesOnPage;
        auto it =
            QRegularExpression(
                R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re")
                .globalMatch(page);
        while (it.hasNext()) {
            const auto m = it.next();
            const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            words << m.captured(5);
            EXPECT_TRUE(box.left() >= margin - slack && box.top() >= margin - slack &&
                        box.right() <= right && box.bottom() <= bottom)
                << m.captured(5).toStdString();
            for (const QRectF& other : boxesOnPage)
                EXPECT_FALSE(box.adjusted(slack, slack, -slack, -slack).intersects(other))
                    << m.captured(5).toStdString();
            boxesOnPage << box;
        }
    }
    for (const QString& word : description.split(u' '))
        EXPECT_EQ(words.count(word), 1) << word.toStdString();
    for (const auto& l : record.lines) // wide letters wrap into more lines, not a smaller font
        if (paper.wide && l.text.size() >= 10 && description.contains(l.text)) {
            EXPECT_EQ(l.size, 10) << l.text.toStdString();
        }
    qsizetype last = -1;
    for (int ch = 1; ch <= 128; ++ch) {
        EXPECT_EQ(words.count(Rx(ch)), 1) << ch;
        EXPECT_EQ(words.count(Rx(ch).replace(0, 3, QStringLiteral("440"))), 1) << ch;
        EXPECT_GT(words.indexOf(Rx(ch)), last) << ch;
        last = words.indexOf(Rx(ch));
    }

    // a file name too long for its line keeps its end, the file's own name
    const QString file = record.RowOf(T(29220)).value(1).chopped(2);
    EXPECT_TRUE(gDataFileName.endsWith(file.mid(file.startsWith(u'…')))) << file.toStdString();

    // the document is titled with the configuration's file name
    EXPECT_TRUE(PdfTool(QStringLiteral("pdfinfo"), {path})
                    .contains(QRegularExpression(
                        QStringLiteral(R"(Title:\s+KL740 station seventeen\.dat\n)"))));

    // pages 1..N, each numbered and none blank
    const QString text = PdfText(path);
    const int pages = PdfPages(path);
    QStringList pageTexts = text.split(u'\f');
    if (pageTexts.size() == pages + 1 && pageTexts.last().trimmed().isEmpty())
        pageTexts.removeLast();
    ASSERT_EQ(pageTexts.size(), pages);
    EXPECT_EQ(record.newPages, pages);
    for (int page = 1; page <= pages; ++page) {
        // pdftotext may drop the blanks of "- n -"
        const QRegularExpression footer(
            QStringLiteral(R"((^|\n)\s*-\s*%1\s*-\s*(\n|$))").arg(page));
        const QString& onPage = pageTexts[page - 1];
        EXPECT_TRUE(onPage.contains(footer)) << page;
        EXPECT_GT(QString(onPage).remove(footer).trimmed().size(), 0) << page;
    }

    // every text line ends above its page's footer, which stays on the page
    const auto isFooter = [](const PrintRecord::Line& l) {
        return l.text.startsWith(QStringLiteral("- ")) && l.text.endsWith(QStringLiteral(" -"));
    };
    std::map<int, double> footerY;
    for (const auto& l : record.lines) {
        if (!isFooter(l)) continue;
        footerY[l.page] = l.y;
        EXPECT_LE(l.y + l.height, device.height()) << l.page;
    }
    ASSERT_EQ(static_cast<int>(footerY.size()), pages);
    // a key heading never ends a page
    std::map<int, PrintRecord::Line> lastOnPage;
    for (const auto& l : record.lines)
        if (!isFooter(l) && (!lastOnPage.count(l.page) || l.y >= lastOnPage[l.page].y))
            lastOnPage[l.page] = l;
    for (const auto& [page, l] : lastOnPage)
        EXPECT_TRUE(l.text != T(25003) && l.text != T(25004)) << page;
    for (const auto& l : record.lines) {
        if (isFooter(l)) continue;
        const QStringList parts = l.text.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (parts[i].isEmpty()) continue;
            EXPECT_LE(l.y + (i + 1) * l.height, footerY[l.page])
                << l.page << " " << l.text.toStdString();
        }
    }

    if (qEnvironmentVariableIsSet("CORVAN_KEEP_PDF"))
        QFile::copy(path, qEnvironmentVariable("CORVAN_KEEP_PDF") + QStringLiteral("/") +
                              QString::fromStdString(Name(paper)) + QStringLiteral(".pdf"));
}

INSTANTIATE_TEST_SUITE_P(Papers, ReportPdfTest, ::testing::ValuesIn(Papers()), CaseName);

} // namespace

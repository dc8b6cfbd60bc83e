#include "PrintFixture.h"
#include "SimPrintSystem.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

class PrintDialogTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        gEditData.ChannelCount = 0;
        dialog.reset(
            qobject_cast<QDialog*>(Platform::Forms::Create(QStringLiteral("FrmPrintList"))));
        ASSERT_NE(dialog, nullptr);
        dialog->show();
    }
    void TearDown() override {
        dialog.reset();
        PrintTest::TearDown();
    }
    QCheckBox* Box(int i) const {
        for (auto* b : dialog->findChildren<QCheckBox*>(QStringLiteral("Check1")))
            if (b->property("Index").toInt() == i) return b;
        return nullptr;
    }
    QCheckBox* Details() const { return dialog->findChild<QCheckBox*>(QStringLiteral("Check2")); }
    void Click(const char* button) const {
        dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    }
    // The section titles in the order the job printed them.
    QStringList Titles() const {
        QStringList titles;
        for (const auto& l : record.lines)
            if (l.text.endsWith(QStringLiteral("\r\n\r\n")) || l.text == T(29250) + "\r\n")
                titles << l.text.trimmed();
        return titles;
    }

    std::unique_ptr<QDialog> dialog;
};

TEST_F(PrintDialogTest, CaptionsComeFromTheLanguageTexts) {
    EXPECT_EQ(dialog->windowTitle(), T(29200));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Box(i)->text(), T(29250 + i));
    EXPECT_EQ(Details()->text(), T(29270));
    EXPECT_EQ(dialog->findChild<QPushButton*>("CommandOK")->text(), T(9017));
    EXPECT_FALSE(T(29230).isEmpty());
}

TEST_F(PrintDialogTest, DetailsFollowTheChannelBoxAndDoNotCountAlone) {
    EXPECT_FALSE(Details()->isEnabled());
    Box(0)->click();
    EXPECT_TRUE(Details()->isEnabled());
    Details()->click();
    Box(0)->click();
    EXPECT_FALSE(Details()->isEnabled());
    EXPECT_TRUE(Details()->isChecked());
    Click("CommandOK");
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.shown[0].text, T(29230));
    EXPECT_EQ(messages.shown[0].style, Platform::Mb::Exclamation);
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PrintDialogTest, SelectAllAndClearAllLeaveTheDetailsTick) {
    Details()->setEnabled(true);
    Details()->setChecked(true);
    Click("CommandSelAll");
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(Box(i)->isChecked());
    EXPECT_TRUE(Details()->isEnabled());
    Click("CommandClrAll");
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(Box(i)->isChecked());
    EXPECT_FALSE(Details()->isEnabled());
    EXPECT_TRUE(Details()->isChecked());
    Click("CommandOK");
    EXPECT_EQ(messages.CountOf(T(29230)), 1);
}

TEST_F(PrintDialogTest, CancelledPrinterDialogPrintsNothingAndKeepsTheDialog) {
    Click("CommandSet"); // a cancelled set-up does nothing
    EXPECT_EQ(dialogs.setupShown, 1);
    Box(1)->click();
    dialogs.answers = {false};
    Click("CommandOK");
    EXPECT_EQ(ModPrint::gPrintDone, 0);
    EXPECT_TRUE(record.lines.isEmpty());
    EXPECT_FALSE(record.ended);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(Box(1)->isChecked());
    Click("CommandOK"); // asks for the printer again and prints
    EXPECT_EQ(dialogs.shown, 2);
    EXPECT_EQ(ModPrint::gPrintDone, -1);
    EXPECT_TRUE(record.ended);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(PrintDialogTest, SectionsPrintInBoxOrderWithPagesNumberedThrough) {
    Click("CommandSelAll");
    Box(3)->click(); // not the keys
    Click("CommandOK");
    ASSERT_EQ(ModPrint::gPrintSelection, (std::array<qint16, 9>{1, 0, 1, 1, 0, 1, 1, 1, 1}));
    const auto caption = [](const char* window) {
        std::unique_ptr<QWidget> page(Platform::Forms::Create(QLatin1String(window)));
        return page->windowTitle();
    };
    const QStringList expected{T(29250),
                               caption("FrmOptFeatures"),
                               caption("FrmDTMF"),
                               caption("FrmScan"),
                               caption("FrmAlert"),
                               caption("FrmEmbMsg"),
                               caption("FrmRadioInfo")};
    EXPECT_EQ(Titles(), expected);
    for (int page = 1; page <= 7; ++page)
        EXPECT_NE(record.Find(QStringLiteral("- %1 -").arg(page), page), nullptr) << page;
    EXPECT_EQ(record.newPages, 7);
    EXPECT_TRUE(record.ended);
    // printing closed the hidden pages again
    EXPECT_FALSE(Platform::Forms::IsLoaded(QStringLiteral("FrmDTMF")));
}

TEST_F(PrintDialogTest, ThePaperAndMarginsOfThePrinterSetupReachAQueueOrTheUserIsTold) {
    SimPrintSystem system;
    ASSERT_TRUE(system.Running()) << system.Error().toStdString();
    Platform::PrintDialogs::SetService(nullptr);
    Print::SetPrinterMaker(nullptr);
    Platform::ProgramPrinter().setPrinterName(QStringLiteral("Office"));
    // in the open dialog: a button clicked or a paper typed in its list, margins typed, a key
    const auto fill = [](const char* what, double margins, Qt::Key key, QMarginsF sides = {}) {
        QWidget* dialog = QApplication::activeModalWidget();
        if (auto* button =
                *what ? dialog->findChild<QAbstractButton*>(QLatin1String(what)) : nullptr)
            button->click();
        else
            QTest::keyClicks(dialog->findChild<QComboBox*>("pageSizeCombo"), QLatin1String(what));
        const char* side[] = {"leftMargin", "topMargin", "rightMargin", "bottomMargin"};
        const double value[] = {sides.left(), sides.top(), sides.right(), sides.bottom()};
        for (int i = 0; i < 4; ++i)
            if (margins + value[i] > 0)
                dialog->findChild<QDoubleSpinBox*>(side[i])->setValue(margins + value[i]);
        QTest::keyClick(dialog, key);
    };
    // Nothing picked yet: the queue's own paper, not the one the printer object had.
    Platform::ProgramPrinter().setPageOrientation(QPageLayout::Portrait);
    Platform::ProgramPrinter().setPageSize(QPageSize(QPageSize::Letter));
    struct Job {
        const char* setup;      // picked in the set-up with these margins (mm)
        double margins;         // typed there and under Properties
        const char* queue;      // chosen in the print dialog, then in its properties:
        const char* properties; // a paper picked or the orientation clicked
        Qt::Key closed;         // how the properties close
        QSizeF paper;           // of the job in mm; none: the user is told and nothing is sent
        QPointF origin;         // of the job's printable area, mm from the paper's top left
        QMarginsF sides = {};   // set up and printed (mm); none: the origin x left and right, y
                                // top and bottom
    };
    const Job jobs[] = {
        {nullptr, 0, "Office", "", {}, {210, 297}, {6.35, 6.35}},
        {"A5", 0, "Office", "", {}, {148, 210}, {6.35, 6.35}},
        {"B5", 0, "Office", "", {}, {176, 250}, {6.35, 6.35}},
        {"Executive", 0, "Office", "", {}, {184.2, 266.7}, {6.35, 6.35}},
        {"A5", 0, "Office", "US", Qt::Key_Return, {215.9, 279.4}, {6.35, 6.35}},
        {"B5", 0, "Office", "A5", Qt::Key_Escape, {176, 250}, {6.35, 6.35}}, // no pick
        {"A5", 25.4, "Office", "", {}, {148, 210}, {25.4, 25.4}},
        {"", 0, "Office", "", {}, {148, 210}, {25.4, 25.4}}, // set-up reopened: all kept
        {nullptr, 40, "Office", "A4", Qt::Key_Return, {210, 297}, {40, 40}}, // typed there
        {"A4", 10, "Counter", "", {}, {210, 297}, {10, 12.7}}, // its least margin where larger
        {"A4", 8, "Counter", "", {}, {210, 297}, {8, 12.7}},   // set up on that queue
        {"US", 0, "Office", "landscape", Qt::Key_Return, {279.4, 215.9}, {8, 8}},
        {"A5", 25.4, "Counter", "", {}, {}, {}}, // a paper it lacks
        {nullptr, 0, "Counter", "US", Qt::Key_Return, {279.4, 215.9}, {25.4, 25.4}}, // kept
        {"A5", 25.4, "Office", "US", Qt::Key_Return, {279.4, 215.9}, {25.4, 25.4}},
        {nullptr, 0, "Office", "landscape", Qt::Key_Return, {279.4, 215.9}, {25.4, 25.4}}, // shown
        {"A5", 25.4, "Counter", "", {}, {}, {}},
        {nullptr, 0, "Counter", "landscape", Qt::Key_Return, {297, 210}, {25.4, 25.4}}, // own
        {"A4", 0, "Office", "", {}, {297, 210}, {10, 20}, {10, 20, 30, 40}},
        {"A4", 10, "Counter", "", {}, {297, 210}, {12.7, 10}},          // its least margins turned
        {"A4", 0, "Counter", "", {}, {297, 210}, {}, {15, 10, 15, 4}}}; // not the other way
    Box(1)->click();
    for (int job = 0; job < 21; ++job) {
        const Job& j = jobs[job];
        const auto doc = static_cast<int>(system.Documents().size()); // the job's document
        if (j.setup)
            QTimer::singleShot(0, [&] { fill(j.setup, j.margins, Qt::Key_Return, j.sides); });
        if (j.setup) Click("CommandSet");
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QTest::keyClicks(dialog->findChild<QComboBox*>("printers"), QLatin1String(j.queue));
            if (*j.properties)
                QTimer::singleShot(0, [&] { fill(j.properties, j.margins, j.closed); });
            if (*j.properties)
                QTest::keyClick(dialog->findChild<QWidget*>("properties"), Qt::Key_Space);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        Click("CommandOK");
        EXPECT_EQ(system.Paper(doc), QPageSize(j.paper, QPageSize::Millimeter).sizePoints()) << job;
        if (j.paper.isEmpty()) continue;
        // each margin read back (mm): the area starts at the origin; "- 1 -" is centred, 97 % down
        const auto m =
            QRegularExpression(
                R"re(([\d.]+)" yMin="([\d.]+).*>-<.*\n.*>1<.*\n.*xMax="([\d.]+).*>-<)re")
                .match(PdfTool("pdftotext", {"-bbox", system.Documents().value(doc), "-"}));
        const auto at = [&m](int i) { return m.captured(i).toDouble(); };
        const QPointF o = system.Origin(doc), e = j.origin;
        const QMarginsF read(o.x(), o.y(), system.Paper(doc).width() + o.x() - at(1) - at(3),
                             system.Paper(doc).height() - o.y() - (at(2) - o.y()) / 0.97);
        const QMarginsF sides = j.sides.isNull() ? QMarginsF(e.x(), e.y(), e.x(), e.y()) : j.sides;
        EXPECT_EQ((read * 25.4 / 72 - sides).toMargins(), QMargins()) << job;
    }
    EXPECT_EQ(messages.CountOf(T(9093) + QStringLiteral("\nA5")), 2);
}

// A job that fails sends nothing, closes its hidden pages, keeps the dialog
// and the configuration, and says what failed: a section whose page cannot be
// made, a printer that does not take the document, a paper too small for the
// page header, a file that does not take the whole document.
TEST_F(PrintDialogTest, AFailedJobSendsNothingAndSaysWhatFailed) {
    enum Failing { Section, Printer, Paper, Full };
    const std::pair<Failing, QString> cases[] = {
        {Section, T(9090) + QStringLiteral("\n") + T(29252)},
        {Printer, T(9091)},
        {Paper, T(9092)},
        {Full, T(9091)}, // a file that cannot take even a one-page document: one channel
    };
    QPrinter& device = Platform::ProgramPrinter();
    const QPageLayout layout = device.pageLayout();
    for (const auto& [failing, message] : cases) {
        QTemporaryDir dir;
        const QString path = failing == Printer ? dir.filePath(QStringLiteral("missing/report.pdf"))
                             : failing == Full  ? QStringLiteral("/dev/full")
                                                : dir.filePath(QStringLiteral("report.pdf"));
        Print::SetPrinterMaker(nullptr);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(path);
        if (failing == Section) Platform::Forms::UnregisterFactory(QStringLiteral("FrmDTMF"));
        if (failing == Paper)
            device.setPageLayout(QPageLayout(QPageSize(QPageSize::A7), QPageLayout::Landscape,
                                             QMarginsF(25.4, 25.4, 25.4, 25.4),
                                             QPageLayout::Millimeter));
        Platform::Forms::Create(QStringLiteral("FrmOptFeatures")); // the user has it open
        gEditData.ChannelCount = failing == Full ? 1 : 0;
        const TRadioData before = gEditData;
        messages.shown.clear();
        Click("CommandSelAll");
        if (failing == Full) {
            Click("CommandClrAll");
            Box(0)->click();
        }
        Click("CommandOK");
        Pages::RegisterForms();
        device.setPageLayout(layout);
        EXPECT_EQ(ModPrint::gPrintDone, 0);
        EXPECT_EQ(QFile::exists(path), failing == Full);
        ASSERT_EQ(messages.Count(), 1);
        EXPECT_EQ(messages.shown[0].text, message);
        EXPECT_EQ(messages.shown[0].style, Platform::Mb::Critical);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(gEditData == before);
        for (const char* page : {"FrmDTMF", "frmCommChInfo"})
            EXPECT_FALSE(Platform::Forms::IsLoaded(QLatin1String(page))) << page;
        // the open page is closed by printing it; the paper is refused before
        EXPECT_EQ(Platform::Forms::IsLoaded(QStringLiteral("FrmOptFeatures")),
                  failing == Paper || failing == Full);
        delete Platform::Forms::Find(QStringLiteral("FrmOptFeatures"));
    }
}

} // namespace

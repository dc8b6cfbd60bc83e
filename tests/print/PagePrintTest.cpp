#include "PrintFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// Reads a control of a page the way the user sees it.
QString Shown(QWidget* page, const char* name, int index = -1) {
    for (auto* w : page->findChildren<QWidget*>(QLatin1String(name))) {
        const QVariant i = w->property("Index");
        if (index >= 0 ? (!i.isValid() || i.toInt() != index) : i.isValid()) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
        if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
        if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
        if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->toPlainText();
    }
    ADD_FAILURE() << name << index;
    return {};
}

class PagePrintTest : public PrintTest {
protected:
    // The page as the printer will load it, for the expected texts.
    static std::unique_ptr<QWidget> Page(const char* name) {
        return std::unique_ptr<QWidget>(Platform::Forms::Create(QLatin1String(name)));
    }
    // Texts of the page's rows below the title, one string per printed line.
    QStringList Rows(int page = 1) const {
        QStringList rows;
        double y = -1;
        bool afterTitle = false;
        for (const auto& l : record.lines) {
            if (l.page != page) continue;
            if (l.text.endsWith(QStringLiteral("\r\n\r\n"))) {
                afterTitle = true;
                continue;
            }
            if (!afterTitle || l.text.startsWith(QStringLiteral("- "))) continue;
            if (l.y == y)
                rows.last() += QStringLiteral("|") + l.text;
            else
                rows << l.text;
            y = l.y;
        }
        return rows;
    }
};

TEST_F(PagePrintTest, OptionsPrintRightAlignedPairsAndCheckTexts) {
    auto page = Page("FrmOptFeatures");
    QStringList expected{
        Shown(page.get(), "Label1", 0) + "|" + Shown(page.get(), "Combo1", 0) + "|" +
            Shown(page.get(), "Label1", 1) + "|" + Shown(page.get(), "Combo1", 1),
    };
    const QString vox = Shown(page.get(), "Check1", 0);

    const QString prohibit = Shown(page.get(), "Check1", 6);
    const QString wired = Shown(page.get(), "Check1", 5);
    page.reset();
    RunJob({2});
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 13);
    EXPECT_EQ(rows[0], expected[0]);
    EXPECT_TRUE(rows[5] == vox + "|" + Off() || rows[5] == vox + "|" + On());
    EXPECT_EQ(rows[6].count(u'|'), 1); // the VOX level prints whatever the box
    EXPECT_TRUE(rows[4].endsWith(QStringLiteral("\r\n")));
    EXPECT_TRUE(rows[8].endsWith(QStringLiteral("\r\n")));
    EXPECT_TRUE(rows[12].startsWith(wired + "|"));
    EXPECT_EQ(record.Find(wired)->x, 730 - 10.0 * wired.size());
    for (const auto& l : record.lines)
        EXPECT_NE(l.text, prohibit);
}

TEST_F(PagePrintTest, OptionsShowASetBoxAsOnAndCloseAnOpenPage) {
    auto* open = Platform::Forms::Create(QStringLiteral("FrmOptFeatures"));
    QCheckBox* box0 = nullptr;
    for (auto* b : open->findChildren<QCheckBox*>(QStringLiteral("Check1")))
        if (b->property("Index").toInt() == 0) box0 = b;
    ASSERT_NE(box0, nullptr);
    box0->click();
    ASSERT_TRUE(box0->isChecked());
    const QString caption = box0->text(); // the job closes the page with its boxes
    RunJob({2});
    EXPECT_EQ(Rows().value(5), caption + "|" + On());
    EXPECT_FALSE(Platform::Forms::IsLoaded(QStringLiteral("FrmOptFeatures")));
}

TEST_F(PagePrintTest, DtmfPrintsEveryCodeMemoryTwoARowAfterTwoEmptyLines) {
    auto page = Page("FrmDTMF");
    const QString idLabel = Shown(page.get(), "Label5");
    const QString mem0 = Shown(page.get(), "Label4", 0), mem1 = Shown(page.get(), "Label4", 1);
    const QString mem15 = Shown(page.get(), "Label4", 15);
    page.reset();
    RunJob({3});
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 5 + 1 + 2 + 8);
    EXPECT_TRUE(rows[4].contains(idLabel));
    EXPECT_EQ(rows[5], QStringLiteral("\r\n"));
    EXPECT_TRUE(rows[8].startsWith(mem0 + "|"));
    EXPECT_TRUE(rows[8].contains("|" + mem1 + "|"));
    EXPECT_TRUE(rows[15].contains(mem15));
    // two empty lines: the separator's own line and one more
    const auto* sep = record.Find(QStringLiteral("\r\n"));
    const auto* next = record.Find(rows[6].section(u'|', 0, 0));
    EXPECT_DOUBLE_EQ(next->y - sep->y, 2 * 20);
    EXPECT_DOUBLE_EQ(sep->y - record.Find(idLabel)->y, 20);
}

TEST_F(PagePrintTest, EmbeddedMessageKeepsItsFourRows) {
    for (auto& line : gEditData.Settings.EmbMsg)
        line.Assign(QString());
    RunJob({7});
    EXPECT_EQ(Rows(), (QStringList{"", "", "", ""}));
    EXPECT_EQ(record.lines.last().text, QStringLiteral("- 1 -"));
    for (const auto& l : record.lines) {
        if (l.text.isEmpty()) {
            EXPECT_EQ(l.x, 200);
        }
    }
}

TEST_F(PagePrintTest, KeysLeaveEmptyLinesAfterTheLongPressAndPf1Rows) {
    auto page = Page("FrmKey");
    const QString pf1 = Shown(page.get(), "Frame1"), pf2 = Shown(page.get(), "Frame2");
    const QString last = Shown(page.get(), "Label1", 3) + "|" + Shown(page.get(), "Combo1", 3);
    page.reset();
    RunJob({4});
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 8);
    EXPECT_TRUE(rows[1].endsWith("\r\n"));
    EXPECT_EQ(rows[2], pf1);
    EXPECT_TRUE(rows[4].endsWith("\r\n"));
    EXPECT_EQ(rows[5], pf2);
    EXPECT_EQ(rows[7], last);
}

TEST_F(PagePrintTest, ScanJoinsGroupAndPositionAndPrintsTheEntryTone) {
    auto page = Page("FrmScan");
    const QString p1 = Shown(page.get(), "Combo1", 2) + "  -  " + Shown(page.get(), "Combo1", 3);
    const QString tone = Shown(page.get(), "Check1");
    page.reset();
    RunJob({5});
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 10);
    EXPECT_TRUE(rows[2].endsWith("|" + p1));
    EXPECT_EQ(record.Find(p1)->x, 450);
    EXPECT_TRUE(rows[9] == tone + "|" + Off() || rows[9] == tone + "|" + On());
}

TEST_F(PagePrintTest, AlertPrintsTheModeFirstThenTheTenBytes) {
    auto page = Page("FrmAlert");
    QStringList labels{Shown(page.get(), "Label1", 10)};
    for (int i = 0; i <= 9; ++i)
        labels << Shown(page.get(), "Label1", i);
    page.reset();
    RunJob({6});
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 11);
    for (int r = 0; r < 11; ++r)
        EXPECT_EQ(rows[r].section(u'|', 0, 0), labels[r]) << r;
}

TEST_F(PagePrintTest, RadioInformationJoinsTheDescriptionLabelsAndClosesAnOpenView) {
    Platform::Forms::Create(QStringLiteral("FrmRadioInfo"));
    auto* open = qobject_cast<QWidget*>(Platform::Forms::Find(QStringLiteral("FrmRadioInfo")));
    const QString description =
        Shown(open, "Label1", 5) + " " + Shown(open, "Label1", 7) + "|" + Shown(open, "Text1", 4);
    const QString area = Shown(open, "Label2") + "|" + Shown(open, "Text1", 0);
    RunJob({8});
    const QStringList rows = Rows();
    ASSERT_EQ(rows.size(), 14);
    EXPECT_EQ(rows[0], area);
    EXPECT_EQ(rows[9], description);
    EXPECT_FALSE(Platform::Forms::IsLoaded(QStringLiteral("FrmRadioInfo")));
}

} // namespace

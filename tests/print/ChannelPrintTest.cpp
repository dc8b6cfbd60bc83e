#include "PrintFixture.h"

#include "data/ModFun.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

namespace {

class ChannelPrintTest : public PrintTest {
protected:
    // Channel records in this order, each with a receive frequency.
    static void SetChannels(const QList<int>& numbers) {
        gEditData.ChannelCount = static_cast<qint16>(numbers.size());
        for (int k = 0; k < numbers.size(); ++k) {
            TChannel ch;
            ch.Number = static_cast<qint16>(numbers[k]);
            ch.RxFreq.Assign(QStringLiteral("4351%1").arg(numbers[k], 4, 10, QChar(u'0')));
            gEditData.Channels[k] = ch;
        }
    }
    static QList<int> Range(int from, int to) {
        QList<int> n;
        for (int i = from; i <= to; ++i)
            n << i;
        return n;
    }
    // The group and position cells of the table rows on a page.
    QStringList GroupPositions(int page) const {
        QStringList cells;
        for (const auto& l : record.lines)
            if (l.page == page && (l.x == 70 || l.x == 120)) cells << l.text;
        return cells;
    }
};

TEST_F(ChannelPrintTest, NoChannelsPrintOnePageWithTheTitleOnly) {
    gEditData.ChannelCount = 0;
    RunJob({0});
    EXPECT_EQ(record.newPages, 1);
    EXPECT_NE(record.Find(T(29250) + QStringLiteral("\r\n")), nullptr);
    EXPECT_NE(record.Find(QStringLiteral("- 1 -")), nullptr);
    EXPECT_FALSE(Platform::Forms::IsLoaded(QStringLiteral("frmCommChInfo")));
}

TEST_F(ChannelPrintTest, TableRowsRunOnToContinuationPagesUnderTheHeading) {
    QList<int> numbers;
    for (int i = 128; i >= 1; --i)
        numbers << i; // created last to first
    SetChannels(numbers);
    std::unique_ptr<QWidget> grid(Platform::Forms::Create(QStringLiteral("frmCommChInfo")));
    const QString groupLabel = grid->findChild<QLabel*>(QStringLiteral("Label1"))->text();
    grid.reset();
    RunJob({0});
    ASSERT_GE(record.newPages, 2);
    QStringList cells, expected;
    for (int page = 1; page <= record.newPages; ++page) {
        cells << GroupPositions(page);
        // every page has the header, the title and the table's heading
        EXPECT_NE(record.Find(T(29221) + QStringLiteral("\r\n"), page), nullptr) << page;
        EXPECT_NE(record.Find(T(29250) + QStringLiteral("\r\n\r\n"), page), nullptr) << page;
        EXPECT_EQ(record.RowOf(groupLabel, page).size(), 5) << page;
        EXPECT_GT(GroupPositions(page).size(), 0) << page;
    }
    for (int ch = 1; ch <= 128; ++ch)
        expected << QString::number((ch - 1) / 16 + 1) << QString::number((ch - 1) % 16 + 1);
    EXPECT_EQ(cells, expected);
    EXPECT_FALSE(Platform::Forms::IsLoaded(QStringLiteral("frmCommChInfo")));
}

TEST_F(ChannelPrintTest, TableTakesItsHeadingsAndListTextsFromTheGridPage) {
    SetChannels({128, 127});
    gEditData.Channels[1].Offset.Assign(QStringLiteral("0500000")); // no direction: simplex
    gEditData.Channels[0].TxTone = 3;
    gEditData.Channels[0].OffsetDir = 2;
    gEditData.Channels[0].Offset.Assign(QStringLiteral("0500000"));
    gHabits.TxAsOffset = true;
    std::unique_ptr<QWidget> grid(Platform::Forms::Create(QStringLiteral("frmCommChInfo")));
    auto* table = grid->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c)
        headers << table->horizontalHeaderItem(c)->text();
    const auto header = [&headers](int c) { return headers.value(c); };
    auto* tones = grid->findChild<QComboBox*>(QStringLiteral("Combo1"));
    const QString tone0 = tones->itemText(0);
    const QString tone3 = tones->itemText(3);
    const QString groupLabel = grid->findChild<QLabel*>(QStringLiteral("Label1"))->text();
    grid.reset();

    Platform::Forms::Create(QStringLiteral("frmCommChInfo")); // the user has it open
    RunJob({0});
    gHabits.TxAsOffset = false;
    EXPECT_EQ(record.RowOf(groupLabel),
              (QStringList{groupLabel, header(1), header(4), header(6), header(8)}));
    EXPECT_EQ(record.RowOf(header(0)), (QStringList{header(0), header(2), header(5), header(7),
                                                    header(9) + QStringLiteral("\r\n")}));
    const QStringList row = record.RowOf(QStringLiteral("16"));
    ASSERT_EQ(row.size(), 10);
    EXPECT_EQ(row.mid(0, 6), (QStringList{"8", "16", "435.10128", "+5.00000", tone0, tone3}));
    EXPECT_EQ(record.RowOf(QStringLiteral("15")).value(3), "0.00000");
    // the open grid page was closed by printing
    EXPECT_FALSE(Platform::Forms::IsLoaded(QStringLiteral("frmCommChInfo")));
}

TEST_F(ChannelPrintTest, DetailBlocksAreNeverSplitAndCarryTheEditorsWords) {
    SetChannels(Range(1, 9) + QList<int>{17});
    gEditData.Channels[9].Call1 = 5;
    gEditData.Channels[9].Call2 = 0;
    gEditData.Channels[9].ScanSkip = 1;
    RunJob({0, 1});
    ASSERT_EQ(record.newPages, 2);
    // a block is its heading and the eleven lines after it, all on one page
    const QString heading = T(15029) + QStringLiteral(" ");
    int blocks = 0;
    for (qsizetype i = 0; i < record.lines.size(); ++i) {
        if (!record.lines[i].text.startsWith(heading)) continue;
        ++blocks;
        QList<double> ys;
        for (qsizetype j = i + 1; j < record.lines.size(); ++j) {
            const auto& l = record.lines[j];
            if (!ys.contains(l.y)) ys << l.y;
            if (ys.size() > 11) break; // the next block or the footer
            EXPECT_EQ(l.page, record.lines[i].page) << i;
        }
    }
    EXPECT_EQ(blocks, 10);
    const QString heading17 = T(15029) + QStringLiteral(" 2   ") + T(15001) + QStringLiteral(" 1");
    const auto* h = record.Find(heading17, 2);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->x, 50);
    // the first line's values stand at 30 % like the other lines'
    const auto* rxValue = record.Find(QStringLiteral("435.10017 MHz"), 2);
    ASSERT_NE(rxValue, nullptr);
    EXPECT_EQ(rxValue->x, 300);

    std::unique_ptr<QWidget> editor(Platform::Forms::Create(QStringLiteral("FrmCHInfoEdit")));
    const auto caption = [&editor](const char* name, int index) {
        for (auto* w : editor->findChildren<QWidget*>(QLatin1String(name)))
            if (w->property("Index").toInt() == index) {
                if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
                if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
            }
        return QString();
    };
    const QString rx = caption("Label3", 0), call1 = caption("Label3", 8);
    const QString skip = caption("Check1", 0), call2 = caption("Label3", 10);
    editor.reset();
    // a line of channel 17's block, the last one printed
    const auto rowOf17 = [this, h](const QString& label) {
        QStringList row;
        const PrintRecord::Line* first = nullptr;
        for (const auto& l : record.lines)
            if (!first && l.page == 2 && l.y > h->y && l.text == label) first = &l;
        for (const auto& l : record.lines)
            if (first && l.page == 2 && l.y == first->y) row << l.text;
        return row;
    };
    EXPECT_EQ(rowOf17(rx).value(1), T(15030)); // tone 0
    EXPECT_EQ(rowOf17(call1), (QStringList{call1, "5", call2, T(14013)}));
    EXPECT_EQ(rowOf17(skip).value(1), On());
    EXPECT_FALSE(Platform::Forms::IsLoaded(QStringLiteral("FrmCHInfoEdit")));
}

TEST_F(ChannelPrintTest, DetailsCloseAnOpenEditorButLeaveTheGrid) {
    SetChannels({1});
    Platform::Forms::Create(QStringLiteral("frmCommChInfo"));
    Platform::Forms::Create(QStringLiteral("FrmCHInfoEdit"));
    RunJob({0, 1});
    EXPECT_TRUE(Platform::Forms::IsLoaded(QStringLiteral("frmCommChInfo")));
    EXPECT_FALSE(Platform::Forms::IsLoaded(QStringLiteral("FrmCHInfoEdit")));
    EXPECT_TRUE(record.ended);
}

} // namespace

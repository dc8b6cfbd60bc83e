#include "pages/FrmTestFre.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "pages/PageGrid.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using ModFunLang::GetLangText;

namespace {

constexpr int kEditorLength = 9;
constexpr auto kHeaderTexts = ModFunLang::LangIds(19003, 19004, 19005);

QString ShownCode(const FixedText<8>& field) {
    return ModShowFreFun::FreqCodeToText(ModFun::TrimNull(field.Text()));
}

void FillGrid(PageGrid* grid, const TTestFre* pairs, int count) {
    for (int r = 1; r <= count; ++r) {
        grid->SetCellText(r, 0, QString::number(r));
        grid->SetCellText(r, 1, ShownCode(pairs[r - 1].Second));
        grid->SetCellText(r, 2, ShownCode(pairs[r - 1].First));
    }
}

} // namespace

FrmTestFre::FrmTestFre(QWidget* parent)
    : FeaturePage({"FrmTestFre", 0, /*lockStep=*/false}, parent) {
    setWindowTitle(QStringLiteral("测试频率"));
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(this);
        SetName(label, "Label1", i);
        label->setGeometry(Twips(240 + 3900 * i, 120, 3600, 300));
        Label1[i] = label;
    }
    MSFlexGrid1 = new PageGrid(kTestPairCount + 1, 3, this);
    SetName(MSFlexGrid1, "MSFlexGrid1");
    MSFlexGrid1->move(Px(240), Px(480));
    MSFlexGrid2 = new PageGrid(kFixedTestPairCount + 1, 3, this);
    SetName(MSFlexGrid2, "MSFlexGrid2");
    MSFlexGrid2->move(Px(4140), Px(480));
    // shown only: it takes neither the focus nor a click
    MSFlexGrid2->setFocusPolicy(Qt::NoFocus);
    MSFlexGrid2->setSelectionMode(QAbstractItemView::NoSelection);
    MSFlexGrid2->setAttribute(Qt::WA_TransparentForMouseEvents);

    Text1 = new QLineEdit(this);
    SetName(Text1, "Text1");
    Text1->setMaxLength(kEditorLength);
    Text1->installEventFilter(this);
    connect(Text1, &QLineEdit::textEdited, this, [this] { committed_ = false; });
    connect(MSFlexGrid1, &QTableWidget::currentCellChanged, this, [this] { EnterCell(); });
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, [this] { EnterCell(); });
    AddCloseButton(Twips(4140, 3900, 1335, 375));
    AddHelpButton(Twips(5700, 3900, 1335, 375));
    setFixedSize(Px(7920), Px(4560));
    // the editor stays hidden until a cell is entered
    Text1->hide();
    Load();
}

void FrmTestFre::ChangShowByLanguage() {
    setWindowTitle(GetLangText(19000));
    static_cast<QLabel*>(Label1[0])->setText(GetLangText(19001));
    static_cast<QLabel*>(Label1[1])->setText(GetLangText(19002));
    for (PageGrid* grid : {MSFlexGrid1, MSFlexGrid2})
        for (int c = 0; c < 3; ++c)
            grid->SetCellText(0, c, GetLangText(kHeaderTexts[static_cast<std::size_t>(c)]));
}

void FrmTestFre::ShowPageData() {
    for (PageGrid* grid : {MSFlexGrid1, MSFlexGrid2})
        grid->SetLayout(Px(500), Px(300), {Px(500), Px(1500), Px(1500)});
    FillGrid(MSFlexGrid1, gEditData.TestFreList.data(), kTestPairCount);
    FillGrid(MSFlexGrid2, gFixedTestFreqs.data(), kFixedTestPairCount);
}

void FrmTestFre::CommitCell() {
    if (row_ < 1 || col_ < 1 || committed_) return;
    committed_ = true;
    TTestFre& pair = gEditData.TestFreList[static_cast<std::size_t>(row_ - 1)];
    FixedText<8>& field = col_ == 1 ? pair.Second : pair.First;
    const QString text = Text1->text();
    if (text.isEmpty()) {
        field.Assign(QString(QChar(u'\0')));
        MSFlexGrid1->SetCellText(row_, col_, QString());
        return;
    }
    // held to the band, with a warning when it was moved
    const QString t = ModShowFreFun::ValidateFreqText(text, true);
    const QString code = ModShowFreFun::FreqTextToCode(t);
    MSFlexGrid1->SetCellText(row_, col_, ModShowFreFun::FreqCodeToText(code));
    field.Assign(code);
}

void FrmTestFre::EnterCell() {
    const int row = MSFlexGrid1->currentRow();
    const int col = MSFlexGrid1->currentColumn();
    if (row == row_ && col == col_) return;
    CommitCell();
    col_ = col;
    row_ = row;
    if (row_ < 1 || col_ < 1) {
        row_ = col_ = 0;
        Text1->hide();
        return;
    }
    Text1->setText(MSFlexGrid1->CellText(row_, col_));
    // visiting a cell commits it when it is left, as typing does
    committed_ = false;
    const QRect cell = MSFlexGrid1->CellRectIn(this, row_, col_);
    Text1->setGeometry(cell.x(), cell.y(), cell.width(), Text1->height());
    Text1->show();
    Text1->raise();
    Text1->setFocus();
    Text1->selectAll();
}

void FrmTestFre::GridNextLine() {
    const int row = MSFlexGrid1->currentRow();
    MSFlexGrid1->setCurrentCell(row >= kTestPairCount ? 1 : row + 1,
                                qMax(1, MSFlexGrid1->currentColumn()));
}

void FrmTestFre::GridNextCol() {
    const int col = MSFlexGrid1->currentColumn();
    if (col >= 2) {
        const int row = MSFlexGrid1->currentRow();
        MSFlexGrid1->setCurrentCell(row >= kTestPairCount ? 1 : row + 1, 1);
    } else {
        MSFlexGrid1->setCurrentCell(qMax(1, MSFlexGrid1->currentRow()), col + 1);
    }
}

void FrmTestFre::ValidateControls() {
    if (Text1->isVisible()) CommitCell();
}

bool FrmTestFre::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Text1) return FeaturePage::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (EnterGoesToNextLine(col_, Text1->text()))
                GridNextLine();
            else
                GridNextCol();
            return true;
        }
    }
    if (DropsCellEditorKey(event)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::FocusIn && !Text1->text().isEmpty()) {
        Text1->selectAll();
    } else if (event->type() == QEvent::FocusOut) {
        // leaving the editor for another control of the page commits it
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) CommitCell();
    }
    return false;
}

void FrmTestFre::closeEvent(QCloseEvent* event) {
    // a pending edit is kept also when the page is closed by its frame
    if (Text1) ValidateControls();
    FeaturePage::closeEvent(event);
}

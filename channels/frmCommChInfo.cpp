#include "channels/frmCommChInfo.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "data/widgets/ModRidTextMenu.h"
#include "platform/Forms.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QValidator>
#include <functional>

using GridRules::Editor;
using ModFunLang::GetLangText;

namespace {

using Platform::Px;
constexpr std::array<int, GridRules::kCols> kColWidths = {740,  1300, 1300, 0,    1200, 1200,
                                                          1000, 1000, 1000, 1100, 1400};
constexpr int kGridTop = 40;
constexpr int kRowHeight = 18;
constexpr int kHeaderHeight = 500; // twips
constexpr int kCellPadding = 8;    // pixels beside a cell's text

const QColor kHeaderText(0, 0, 155);
const QColor kRowNumberText(0, 0, 255);
const QColor kDetailText(255, 0, 0);
const QColor kDetailBack(220, 220, 220);
const QColor kFixedBack(236, 233, 216);

// The grid: a table under a fixed caption row (its header) whose column 0 is
// fixed (never current by the keyboard or a left click), with no focus mark
// and no search by typing. The page counts the group's positions 1..16 as the
// grid's rows; the table holds them as its rows 0..15.
class FlexGrid final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    std::function<void()> onEnter;
    std::function<void(const QPoint&)> onRightDown;

    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && onEnter) {
            onEnter();
            return;
        }
        QTableWidget::keyPressEvent(e);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) {
            if (onRightDown) onRightDown(e->position().toPoint());
            return;
        }
        QTableWidget::mousePressEvent(e);
    }
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
        if (next.isValid() && next.column() < 1) return currentIndex();
        return next;
    }
};

class NoFocusMarkDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};

// Keeps only the characters that the editor's column takes, whichever way the
// text arrives (keys, paste, drop, input method).
class ColumnFilter final : public QValidator {
public:
    explicit ColumnFilter(std::function<int()> column, QObject* parent)
        : QValidator(parent), column_(std::move(column)) {}

    State validate(QString& input, int& pos) const override {
        const int col = column_();
        const bool offset = gHabits.TxAsOffset;
        QString out;
        int newPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            QChar c = input[i];
            if (GridRules::KeepChar(col, offset, c) && c.unicode() >= 32 && c.unicode() != 127) {
                out += c;
                if (i < pos) ++newPos;
            }
        }
        input = out;
        pos = newPos;
        return Acceptable;
    }

private:
    std::function<int()> column_;
};

Views::MainWindow* Main() {
    return Views::Open<Views::MainWindow>();
}

} // namespace

// ---- load ----

frmCommChInfo::frmCommChInfo(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmCommChInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("信道信息"));
    BuildControls();

    CommandHelp->setVisible(gHelpOn);
    CodeMoveTopRow = false;
    PageReady = false;

    InitShowGrid();
    ChangShowByLanguage();
    Platform::Forms::Register(this);
    SetGridData();

    FirstActivate = true;
    gFormChInfoShown = true;
    PageReady = true;

    SetCurrentCell(1, 1);
    gEditRow = 1;
    HookTextMenu();
    ApplyLock();
}

frmCommChInfo::~frmCommChInfo() {
    Form_Unload();
}

void frmCommChInfo::BuildControls() {
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));

    Combo7 = new QComboBox(this);
    Combo7->setObjectName(QStringLiteral("Combo7"));
    for (int g = 1; g <= 8; ++g)
        Combo7->addItem(QString::number(g));
    Combo7->setGeometry(Px(1800), Px(120), Px(975), Combo7->sizeHint().height());
    connect(Combo7, &QComboBox::activated, this, [this] { Combo7_Click(); });

    auto* grid = new FlexGrid(GridRules::kRows, GridRules::kCols, this);
    MSFlexGrid1 = grid;
    grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid->onEnter = [this] { EnterGridEdit(); };
    grid->onRightDown = [this](const QPoint& pos) { MSFlexGrid1_RightDown(pos); };
    grid->setFont(QFont(QStringLiteral("Arial"), 9));
    QHeaderView* header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    header->setTextElideMode(Qt::ElideNone);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setTabKeyNavigation(false);
    grid->setItemDelegate(new NoFocusMarkDelegate(grid));
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int, int, int, int) {
        MSFlexGrid1_RowColChange();
        MSFlexGrid1_EnterCell();
    });
    connect(grid, &QTableWidget::cellClicked, this, [this](int, int) { MSFlexGrid1_Click(); });
    connect(grid, &QTableWidget::cellDoubleClicked, this,
            [this](int, int) { MSFlexGrid1_DblClick(); });
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int) { MSFlexGrid1_Scroll(); });

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaxLength(GridRules::MaxLengthOf(Editor::Text1));
    Text1->setValidator(new ColumnFilter([] { return gEditCol; }, Text1));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setMaxLength(GridRules::MaxLengthOf(Editor::Text2));
    Text2->setValidator(new ColumnFilter([] { return GridRules::kNameCol; }, Text2));
    for (QLineEdit* text : {Text1, Text2}) {
        text->setFrame(false);
        text->setAlignment(Qt::AlignCenter);
        text->installEventFilter(this);
        connect(text, &QLineEdit::textEdited, this, [this] { edit_.typed = true; });
    }

    const std::array<std::pair<std::array<QComboBox*, 1>*, Editor>, 5> lists = {
        {{&Combo1, Editor::Combo1},
         {&Combo2, Editor::Combo2},
         {&Combo3, Editor::Combo3},
         {&Combo4, Editor::Combo4},
         {&Combo5, Editor::Combo5}}};
    int n = 1;
    for (auto [array, kind] : lists) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("Combo%1").arg(n++));
        combo->setMaxVisibleItems(12);
        combo->installEventFilter(this);
        const Editor k = kind;
        connect(combo, &QComboBox::activated, this, [this, k](int) { List_Click(k); });
        (*array)[0] = combo;
    }
    // the tone list ships with its editor; the page relabels only item 0
    Combo1[0]->addItems(ModShowFreFun::ToneList());

    CommandClose = new QPushButton(this);
    CommandClose->setObjectName(QStringLiteral("CommandClose"));
    connect(CommandClose, &QPushButton::clicked, this, [this] {
        if (frame_)
            frame_->close();
        else
            close();
    });
    CommandCHInfoEdit = new QPushButton(this);
    CommandCHInfoEdit->setObjectName(QStringLiteral("CommandCHInfoEdit"));
    connect(CommandCHInfoEdit, &QPushButton::clicked, this, [this] { CommandCHInfoEdit_Click(); });
    CommandHelp = new QPushButton(this);
    CommandHelp->setObjectName(QStringLiteral("CommandHelp"));
    CommandHelp->setProperty("HelpContextID", 3100);
    // Help at the topic of the control asked about: an open cell editor has
    // its column's, everything else the page's.
    auto help = [this](const QWidget* control) {
        const int context = ModFun::HelpContextOf(control, this);
        ModFun::OpenHelp(context > 0 ? context : 3100);
    };
    connect(CommandHelp, &QPushButton::clicked, this, [help] { help(nullptr); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f1, &QShortcut::activated, this, [help] {
        if (gHelpOn) help(QApplication::focusWidget());
    });

    TimerCHEdit = new QTimer(this);
    TimerCHEdit->setObjectName(QStringLiteral("TimerCHEdit"));
    TimerCHEdit->setInterval(1000);
    TimerCHEdit->setSingleShot(true);
    ScrollTimer = new QTimer(this);
    ScrollTimer->setObjectName(QStringLiteral("ScrollTimer"));
    ScrollTimer->setInterval(500);
    ScrollTimer->setSingleShot(true);
}

// Grid set-up, once on load.
void frmCommChInfo::InitShowGrid() {
    QTableWidget* g = MSFlexGrid1;
    g->setRowCount(GridRules::kRows - 1);
    g->horizontalHeader()->setFixedHeight(Px(kHeaderHeight));
    for (int c = 0; c < GridRules::kCols; ++c)
        g->setColumnWidth(c, Px(kColWidths[static_cast<std::size_t>(c)]));
    g->setColumnHidden(GridRules::kNameCol, true);
    for (int r = 0; r + 1 < GridRules::kRows; ++r)
        g->setRowHeight(r, kRowHeight);
    for (int c = 0; c < GridRules::kCols; ++c) {
        auto* heading = new QTableWidgetItem;
        heading->setData(Qt::TextAlignmentRole, int(Qt::AlignCenter | Qt::TextWordWrap));
        heading->setBackground(kFixedBack);
        g->setHorizontalHeaderItem(c, heading);
    }
    for (int r = 0; r + 1 < GridRules::kRows; ++r) {
        for (int c = 0; c < GridRules::kCols; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (c == 0) {
                item->setFlags(Qt::NoItemFlags); // fixed cells
                item->setBackground(kFixedBack);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            g->setItem(r, c, item);
        }
    }
    HideEditors();
}

// Captions, headers, row numbers and list items from the current language.
void frmCommChInfo::ChangShowByLanguage() {
    Relabelling = true;
    gGridRow = std::max(1, CurrentRow());

    Label1->setText(GetLangText(14050));
    Label1->adjustSize();
    Label1->move(Combo7->x() - Label1->width() - Px(100),
                 Combo7->y() + (Combo7->height() - Label1->height()) / 2);
    SetCaption(14050);

    static constexpr auto kHeaders = ModFunLang::LangIds(14001, 14002, 14003, 14004, 14005, 14006,
                                                         14007, 14008, 14009, 14010, 14011);
    for (int c = 0; c < GridRules::kCols; ++c) {
        const qint32 id = c == GridRules::kTxCol && gHabits.TxAsOffset
                              ? 14100
                              : kHeaders[static_cast<std::size_t>(c)];
        SetCellText(0, c, GetLangText(id));
        Cell(0, c)->setForeground(kHeaderText);
    }
    for (int r = 1; r < GridRules::kRows; ++r) {
        SetCellText(r, 0, QString::number(r));
        Cell(r, 0)->setForeground(kRowNumberText);
        SetCellText(r, GridRules::kDetailCol, QStringLiteral(">>"));
        Cell(r, GridRules::kDetailCol)->setForeground(kDetailText);
        Cell(r, GridRules::kDetailCol)->setBackground(kDetailBack);
    }
    Relabelling = false;

    lists_ = GridRules::LoadListTexts();
    Combo1[0]->setItemText(0, lists_.tones[0]);
    for (auto [combo, col] : {std::pair{Combo2[0], 6}, std::pair{Combo3[0], 7},
                              std::pair{Combo4[0], 8}, std::pair{Combo5[0], 9}}) {
        const QStringList& items = lists_.ForColumn(col);
        for (int i = 0; i < items.size(); ++i) {
            if (i < combo->count())
                combo->setItemText(i, items[i]);
            else
                combo->addItem(items[i]);
        }
    }
    CommandCHInfoEdit->setText(GetLangText(14023));
    ModFunLang::SetCloseHelpCaptions(this);
    FitToTexts();
}

// The grid's columns, caption row and rows keep the widths of the layout but
// grow to the texts they show in the current language and font; the buttons
// under the grid grow to their captions and the page to its grid.
void frmCommChInfo::FitToTexts() {
    QTableWidget* g = MSFlexGrid1;
    const QFontMetrics fm(g->font());
    const QFontMetrics headerFm(g->horizontalHeader()->font());
    auto textWidth = [&fm](const QString& text) { return fm.horizontalAdvance(text); };

    int rowHeight = kRowHeight;
    int headerHeight = std::max(Px(kHeaderHeight), 2 * headerFm.lineSpacing() + kCellPadding);
    QStringList shown;
    for (int c = 0; c < GridRules::kCols; ++c) {
        QStringList texts;
        if (c == 0) texts << QStringLiteral("16");
        if (c == GridRules::kRxCol || c == GridRules::kTxCol)
            texts << QStringLiteral("000.00000") << QStringLiteral("+00.00000");
        if (c == GridRules::kDetailCol) texts << QStringLiteral(">>");
        if (c >= 4 && c <= GridRules::kLastEditCol) texts << lists_.ForColumn(c);
        shown << texts;
        int width = Px(kColWidths[static_cast<std::size_t>(c)]);
        if (width == 0) continue; // the hidden name column
        for (const QString& t : texts)
            width = std::max(width, textWidth(t) + 2 * kCellPadding);
        // the heading wraps between its words into the caption row's lines
        const QString heading = CellText(0, c);
        auto headingFits = [&](int w) {
            const QRect room(0, 0, w - kCellPadding, 2 * headerFm.lineSpacing());
            const QRect need =
                headerFm.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, heading);
            return need.width() <= room.width() && need.height() <= room.height();
        };
        while (!headingFits(width))
            width += 2;
        g->setColumnWidth(c, width);
    }
    for (const QString& t : shown)
        rowHeight = std::max(rowHeight, fm.boundingRect(t).height() + 4);
    g->horizontalHeader()->setFixedHeight(headerHeight);
    for (int r = 0; r + 1 < GridRules::kRows; ++r)
        g->setRowHeight(r, rowHeight);

    int width = 2 * g->frameWidth();
    for (int c = 0; c < GridRules::kCols; ++c)
        width += g->isColumnHidden(c) ? 0 : g->columnWidth(c);
    const int height = 2 * g->frameWidth() + headerHeight + (GridRules::kRows - 1) * rowHeight;
    const int left = (Px(11800) - Px(11358)) / 2;
    g->setGeometry(left, kGridTop, std::max(Px(11358), width), height);

    int x = Px(840);
    const int buttonTop = g->geometry().bottom() + 1 + Px(240);
    for (QPushButton* b : {CommandClose, CommandCHInfoEdit, CommandHelp}) {
        const int twips = b == CommandCHInfoEdit ? 2295 : 1335;
        const QSize hint = b->sizeHint();
        b->setGeometry(x, buttonTop, std::max(Px(twips), hint.width()),
                       std::max(Px(375), hint.height()));
        x = b->geometry().right() + 1 + Px(225);
    }
    setFixedSize(std::max(Px(11800), g->geometry().right() + 1 + left),
                 std::max(Px(6000), CommandClose->geometry().bottom() + 1 + Px(240)));
}

void frmCommChInfo::SetGridData() {
    {
        const QSignalBlocker block(Combo7);
        Combo7->setCurrentIndex(std::clamp(gGridGroup, 0, 7));
    }
    Combo7_Click();
    if (Views::MainWindow* main = Main()) main->LoadTree();
}

// With Lock on the page shows its data and only the group selector works.
void frmCommChInfo::ApplyLock() {
    if (!gLock) return;
    ModFun::SetControlsEnabled(this);
    Combo7->setEnabled(true);
}

// ---- display ----

// Row 0 is the caption row (the grid's header); rows 1..16 the positions.
QTableWidgetItem* frmCommChInfo::Cell(int row, int col) const {
    return row == 0 ? MSFlexGrid1->horizontalHeaderItem(col) : MSFlexGrid1->item(row - 1, col);
}

QString frmCommChInfo::CellText(int row, int col) const {
    const QTableWidgetItem* item = Cell(row, col);
    return item ? item->text() : QString();
}

void frmCommChInfo::SetCellText(int row, int col, const QString& text) {
    if (QTableWidgetItem* item = Cell(row, col)) item->setText(text);
}

void frmCommChInfo::FillRow(int row, const TChannel& channel) {
    const auto texts = GridRules::RowTexts(channel, lists_, gHabits.TxAsOffset);
    for (int c = 1; c <= GridRules::kLastEditCol; ++c)
        if (c != GridRules::kNameCol) SetCellText(row, c, texts[static_cast<std::size_t>(c)]);
}

void frmCommChInfo::ClearRow(int row) {
    for (int c = 1; c <= GridRules::kLastEditCol; ++c)
        SetCellText(row, c, QString());
}

int frmCommChInfo::CurrentRow() const {
    return MSFlexGrid1->currentRow() + 1;
}

int frmCommChInfo::TopRow() const {
    return std::max(1, MSFlexGrid1->rowAt(0) + 1);
}
int frmCommChInfo::CurrentCol() const {
    return MSFlexGrid1->currentColumn();
}
int frmCommChInfo::ShownGroup() const {
    return std::max(0, Combo7->currentIndex());
}

void frmCommChInfo::SetCurrentCell(int row, int col) {
    MSFlexGrid1->setCurrentCell(row - 1, col);
}

void frmCommChInfo::SetCurrentRow(int row) {
    SetCurrentCell(row, std::max(0, CurrentCol()));
}

QRect frmCommChInfo::AreaTaken() const {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    return sub ? sub->frameGeometry() : QRect();
}

void frmCommChInfo::SetCaption(qint32 firstWordId) {
    setWindowTitle(
        GridRules::Caption(GetLangText(firstWordId), GetLangText(14012), gGridGroup, gGridRow));
}

void frmCommChInfo::ShowInMain(bool shown) {
    if (Views::MainWindow* main = Main()) main->ShowCHInfo(shown);
}

void frmCommChInfo::UpdateEditCommands(int number) {
    if (Views::MainWindow* main = Main()) main->UpdateEditCommands(number);
}

void frmCommChInfo::FollowInDetailEditor() {
    if (auto* editor = Views::ShownEditor()) editor->SetGridEditData(true);
}

// The group change, whenever Combo7's selection is set.
void frmCommChInfo::Combo7_Click() {
    gGridGroup = ShownGroup();
    gEditGroup = gGridGroup;
    SetCaption(14012);
    for (int r = 1; r < GridRules::kRows; ++r)
        ClearRow(r);
    InvalidEdit();
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        const TChannel& ch = gEditData.Channels[static_cast<std::size_t>(i)];
        if (const int r = GridRules::RowOfChannel(ch.Number, gGridGroup)) FillRow(r, ch);
    }
    SetShowEditData();
    FollowInDetailEditor();
    UpdateEditCommands(GridRules::ChannelOfRow(gGridGroup, CurrentRow()));
    ApplyLock();
}

void frmCommChInfo::reShowAllGrid() {
    std::array<bool, GridRules::kRows> filled{};
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        const TChannel& ch = gEditData.Channels[static_cast<std::size_t>(i)];
        if (const int r = GridRules::RowOfChannel(ch.Number, ShownGroup())) {
            filled[static_cast<std::size_t>(r)] = true;
            FillRow(r, ch);
        }
    }
    for (int r = 1; r < GridRules::kRows; ++r)
        if (!filled[static_cast<std::size_t>(r)] && !CellText(r, GridRules::kRxCol).isEmpty())
            ClearRow(r);
    RefreshOpenEditor(edit_.row);
    ApplyLock();
}

void frmCommChInfo::reShowGrid(int rRow) {
    const int r = GridRules::RowOfChannel(rRow, ShownGroup());
    const int index = ModShowFreFun::FindChannelIndex(rRow);
    if (r != 0) {
        if (index < 0)
            ClearRow(r);
        else
            FillRow(r, gEditData.Channels[static_cast<std::size_t>(index)]);
        RefreshOpenEditor(r);
    }
    if (index >= 0) ModShowFreFun::UpdateChannelOptionList(rRow);
    if (GridRules::ChannelOfRow(ShownGroup(), CurrentRow()) == rRow) UpdateEditCommands(rRow);
    ApplyLock();
}

void frmCommChInfo::ReShowAllTxFre(bool rOffSet) {
    SetCellText(0, GridRules::kTxCol, GetLangText(rOffSet ? 14100 : 14003));
    FitToTexts();
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        const TChannel& ch = gEditData.Channels[static_cast<std::size_t>(i)];
        if (const int r = GridRules::RowOfChannel(ch.Number, ShownGroup()))
            SetCellText(r, GridRules::kTxCol, GridRules::TxCellText(ch, rOffSet));
    }
}

void frmCommChInfo::ChangeGroup() {
    {
        const QSignalBlocker block(Combo7);
        Combo7->setCurrentIndex(std::clamp(gEditGroup, 0, 7));
    }
    Combo7_Click();
}

// ---- editors ----

QWidget* frmCommChInfo::EditorWidget(Editor editor) const {
    switch (editor) {
    case Editor::Text1:
        return Text1;
    case Editor::Text2:
        return Text2;
    default:
        return ListEditor(editor);
    }
}

QComboBox* frmCommChInfo::ListEditor(Editor editor) const {
    switch (editor) {
    case Editor::Combo1:
        return Combo1[0];
    case Editor::Combo2:
        return Combo2[0];
    case Editor::Combo3:
        return Combo3[0];
    case Editor::Combo4:
        return Combo4[0];
    case Editor::Combo5:
        return Combo5[0];
    default:
        return nullptr;
    }
}

void frmCommChInfo::HideEditors() {
    edit_ = PendingEdit{};
    const QList<QWidget*> editors = {Text1,     Text2,     Combo1[0], Combo2[0],
                                     Combo3[0], Combo4[0], Combo5[0]};
    // hiding a focused editor would hand the focus to the next control
    // (the group selector, a button); it goes back to the grid instead
    for (QWidget* e : editors)
        if (e->hasFocus() && MSFlexGrid1->isEnabled()) MSFlexGrid1->setFocus();
    for (QWidget* e : editors)
        e->hide();
}

void frmCommChInfo::SetEditDisable() {
    HideEditors();
}

void frmCommChInfo::InvalidEdit() {
    HideEditors();
}

void frmCommChInfo::PlaceEditor(QWidget* editor, int row, int col, bool keepHeight) {
    const QRect cell = MSFlexGrid1->visualRect(MSFlexGrid1->model()->index(row - 1, col));
    const QPoint at = MSFlexGrid1->viewport()->mapTo(this, cell.topLeft());
    editor->setGeometry(at.x(), at.y(), cell.width(),
                        keepHeight ? editor->sizeHint().height() : cell.height());
    editor->raise();
    editor->show();
}

bool frmCommChInfo::FlexConcludeRx() {
    if (!CellText(CurrentRow(), GridRules::kRxCol).isEmpty()) return true;
    gEditCol = GridRules::kRxCol;
    gEditRow = CurrentRow();
    gSkipCellCheck = true;
    SetCurrentCell(CurrentRow(), GridRules::kRxCol);
    return false;
}

void frmCommChInfo::EnterGridEdit() {
    const int row = CurrentRow();
    const int col = CurrentCol();
    if (row < 1 || col < 0) return;
    gEditCol = col;
    gEditRow = row;
    EditTopRow = TopRow();
    FollowInDetailEditor();

    const Editor kind = GridRules::EditorOf(col);
    if (kind == Editor::None) return;
    QWidget* editor = EditorWidget(kind);
    for (Editor other : {Editor::Text1, Editor::Text2, Editor::Combo1, Editor::Combo2,
                         Editor::Combo3, Editor::Combo4, Editor::Combo5})
        if (other != kind) EditorWidget(other)->hide();
    editor->setProperty("HelpContextID", GridRules::HelpContextOf(col, gHabits.TxAsOffset));
    edit_ = PendingEdit{true, false, gEditGroup, row, col, QString(), -1};

    if (kind == Editor::Text1 || kind == Editor::Text2) {
        auto* text = static_cast<QLineEdit*>(editor);
        if (col == GridRules::kTxCol && CellText(row, col).isEmpty() && LastEditRow == row &&
            LastEditCol == GridRules::kRxCol)
            SetCellText(row, col, CellText(row, GridRules::kRxCol));
        PlaceEditor(text, row, col, false);
        text->setText(kind == Editor::Text2 ? ModFun::TrimNull(CellText(row, col))
                                            : CellText(row, col));
        edit_.shownText = text->text();
        text->setFocus();
        if (!text->text().isEmpty()) text->selectAll();
        return;
    }
    QComboBox* list = ListEditor(kind);
    PlaceEditor(list, row, col, true);
    // the stored value, not the cell's text: a value beyond the list shows
    // no item and stays stored until the user picks one
    list->setCurrentIndex(StoredListIndex(row, col, list));
    edit_.shownIndex = list->currentIndex();
    list->setFocus();
}

int frmCommChInfo::StoredListIndex(int row, int col, const QComboBox* list) const {
    const int index = ModShowFreFun::FindChannelIndex(GridRules::ChannelOfRow(gEditGroup, row));
    if (index < 0) return -1;
    const int value =
        GridRules::ListValueOf(gEditData.Channels[static_cast<std::size_t>(index)], col);
    return value >= 0 && value < list->count() ? value : -1;
}

// Writes a value of the open editor to the channel it was opened on.
bool frmCommChInfo::WritePending(const QString& value) {
    if (!edit_.open) return false;
    const PendingEdit at = edit_;
    MarkWritten();
    const QScopedValueRollback writing(writing_, true);
    ModShowFreFun::SetChannelCell(at.group, at.row, at.col, value);
    return true;
}

// Another window changed the channel under the open editor. When its own
// field now holds another value than the editor was shown, whatever the user
// typed there is older than that change: the editor shows the new value and
// counts as untyped, so that Enter, Tab or a click elsewhere writes nothing
// older over it. A change to another field leaves the typed text alone.
void frmCommChInfo::RefreshOpenEditor(int row) {
    if (!edit_.open || writing_ || edit_.row != row || edit_.group != ShownGroup()) return;
    const Editor kind = GridRules::EditorOf(edit_.col);
    QWidget* editor = kind == Editor::None ? nullptr : EditorWidget(kind);
    if (!editor || editor->isHidden()) return;
    if (QComboBox* list = ListEditor(kind)) {
        list->setCurrentIndex(StoredListIndex(row, edit_.col, list));
        edit_.shownIndex = list->currentIndex();
        return;
    }
    auto* text = static_cast<QLineEdit*>(editor);
    const QString cell = CellText(row, edit_.col);
    const QString now = kind == Editor::Text2 ? ModFun::TrimNull(cell) : cell;
    if (GridRules::SameValue(edit_.col, gHabits.TxAsOffset, now, edit_.shownText)) return;
    edit_.typed = false;
    edit_.shownText = now;
    if (text->text() == now) return;
    text->setText(now);
    if (text->hasFocus() && !now.isEmpty()) text->selectAll();
}

// What the editor holds now counts as shown: only a later change writes again.
void frmCommChInfo::MarkWritten() {
    edit_.typed = false;
    const Editor kind = GridRules::EditorOf(edit_.col);
    if (QComboBox* list = ListEditor(kind))
        edit_.shownIndex = list->currentIndex();
    else if (kind == Editor::Text1 || kind == Editor::Text2)
        edit_.shownText = static_cast<QLineEdit*>(EditorWidget(kind))->text();
}

// Commits the open editor unless the user left it as it was shown. Leaving
// the cell after typing writes even an unchanged text, as Enter does.
void frmCommChInfo::CommitOpenEditor(bool leavingCell) {
    if (!edit_.open) return;
    const Editor kind = GridRules::EditorOf(edit_.col);
    QWidget* editor = kind == Editor::None ? nullptr : EditorWidget(kind);
    if (!editor || editor->isHidden()) return;
    if (const QComboBox* list = ListEditor(kind)) {
        if (list->currentIndex() >= 0 && list->currentIndex() != edit_.shownIndex) ExitGridEdit();
        return;
    }
    const QString text = static_cast<QLineEdit*>(editor)->text();
    if (!(leavingCell && edit_.typed) &&
        GridRules::SameValue(edit_.col, gHabits.TxAsOffset, text, edit_.shownText))
        return;
    if (kind == Editor::Text1)
        WritePending(text); // the text as typed, without the number test of Enter
    else
        ExitGridEdit();
}

void frmCommChInfo::ExitGridEdit() {
    if (!edit_.open) return;
    const Editor kind = GridRules::EditorOf(edit_.col);
    QWidget* editor = kind == Editor::None ? nullptr : EditorWidget(kind);
    if (!editor || !editor->isVisible()) return;
    const bool onShownPage = edit_.group == ShownGroup();

    if (QComboBox* list = ListEditor(kind)) {
        if (list->currentIndex() < 0) return; // no item chosen: nothing to write
        if (onShownPage) SetCellText(edit_.row, edit_.col, list->currentText());
        WritePending(QString::number(list->currentIndex()));
        return;
    }
    const auto wb = GridRules::TextWriteBack(edit_.col, static_cast<QLineEdit*>(editor)->text());
    if (!wb.write) return;
    if (onShownPage) SetCellText(edit_.row, edit_.col, wb.cellText);
    WritePending(wb.value);
}

void frmCommChInfo::SetShowEditData() {
    if (CellText(gEditRow, GridRules::kRxCol).isEmpty()) gEditCol = GridRules::kRxCol;
    const Editor kind = GridRules::EditorOf(gEditCol);
    const QString text = CellText(gEditRow, gEditCol);
    if (kind == Editor::Text1)
        Text1->setText(text);
    else if (kind == Editor::Text2)
        Text2->setText(ModFun::TrimNull(text));
    else if (QComboBox* list = ListEditor(kind))
        list->setCurrentIndex(list->findText(text, Qt::MatchExactly));
}

// ---- navigation ----

void frmCommChInfo::GridNextCol() {
    const int c = GridRules::NextCol(CurrentCol());
    if (c == 0) {
        gSkipEnterCell = true;
        SetCurrentCell(CurrentRow(), GridRules::kRxCol);
        // the column did not change: nothing consumed the one-shot flag
        gSkipEnterCell = false;
        GridNextLine();
        return;
    }
    SetCurrentCell(CurrentRow(), c);
}

void frmCommChInfo::GridNextLine() {
    SetCurrentCell(GridRules::NextLine(CurrentRow()), CurrentCol());
}

// ---- grid events ----

void frmCommChInfo::MSFlexGrid1_EnterCell() {
    if (!PageReady) return;
    if (gSkipEnterCell) {
        gSkipEnterCell = false;
        return;
    }
    if (gLock) return; // a locked page opens no editor
    const int row = CurrentRow();
    const int col = CurrentCol();
    if (row < 1 || col < 0) return;
    gGridRow = row;
    gGridGroup = ShownGroup();
    SetCaption(14012);
    MSFlexGrid1->setFocus();
    LastEditRow = gEditRow;
    LastEditCol = gEditCol;

    const bool skipCheck = gSkipCellCheck;
    gSkipCellCheck = false;
    switch (GridRules::CellEntry(col, CellText(row, GridRules::kRxCol).isEmpty(),
                                 CellText(row, GridRules::kTxCol).isEmpty(), skipCheck)) {
    case GridRules::Entry::RedirectRx:
        FlexConcludeRx();
        return;
    case GridRules::Entry::RedirectTx:
        gEditCol = GridRules::kTxCol;
        gEditRow = row;
        gSkipCellCheck = true;
        SetCurrentCell(row, GridRules::kTxCol);
        return;
    case GridRules::Entry::Open:
        break;
    }
    InvalidEdit();
    EnterGridEdit();
}

void frmCommChInfo::MSFlexGrid1_RowColChange() {
    if (Relabelling) return;
    UpdateEditCommands(GridRules::ChannelOfRow(ShownGroup(), CurrentRow()));
}

void frmCommChInfo::MSFlexGrid1_Click() {
    if (!TimerCHEdit->isActive()) MSFlexGrid1_EnterCell();
}

void frmCommChInfo::MSFlexGrid1_DblClick() {
    TimerCHEdit->start();
    if (CurrentCol() == GridRules::kDetailCol) ShowDetailEditor();
}

void frmCommChInfo::ShowDetailEditor() {
    QWidget* editor = nullptr;
    if (gFormCHInfoEditShown)
        editor = qobject_cast<QWidget*>(Platform::Forms::Find(QStringLiteral("FrmCHInfoEdit")));
    if (!editor) {
        editor = ModFun::ShowChildForm(QStringLiteral("FrmCHInfoEdit"));
        if (!editor) return;
        PlaceBesideGrid(editor);
    }
    editor->activateWindow();
    editor->setFocus();
}

// A new detail editor opens beside the grid page when the work area has room
// for it there, else below it, else against the area's right edge, so that
// the grid's first columns stay in sight.
void frmCommChInfo::PlaceBesideGrid(QWidget* editor) {
    auto* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
    if (!sub || !frame_ || !sub->mdiArea()) return;
    const QRect area = sub->mdiArea()->viewport()->rect();
    const QRect grid = frame_->geometry();
    const QSize size = sub->size();
    if (grid.right() + 1 + size.width() <= area.width())
        sub->move(grid.right() + 1, grid.top());
    else if (grid.bottom() + 1 + size.height() <= area.height())
        sub->move(grid.left(), grid.bottom() + 1);
    else
        sub->move(std::max(0, area.width() - size.width()), grid.top());
}

void frmCommChInfo::MSFlexGrid1_RightDown(const QPoint& pos) {
    const int row = MSFlexGrid1->rowAt(pos.y()) + 1;
    if (row < 1) return;
    const int col = std::max(0, MSFlexGrid1->columnAt(pos.x()));
    MSFlexGrid1->setFocus();
    SetCurrentCell(row, col);
    if (Views::MainWindow* main = Main())
        main->PopupEditMenu(MSFlexGrid1->viewport()->mapToGlobal(pos));
}

void frmCommChInfo::MSFlexGrid1_Scroll() {
    if (CodeMoveTopRow || ScrollTimer->isActive()) return;
    ScrollTimer->start();
    const int row = GridRules::RowAfterScroll(CurrentRow(), EditTopRow, TopRow());
    if (row != CurrentRow()) SetCurrentCell(row, CurrentCol());
    if (CurrentRow() != gEditRow) MSFlexGrid1_EnterCell();
}

// ---- editor events ----

bool frmCommChInfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == Text1 || watched == Text2) {
                Text_Enter(static_cast<QLineEdit*>(watched));
                return true;
            }
            if (qobject_cast<QComboBox*>(watched)) {
                GridNextCol(); // the choice was written when it was made
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut && (watched == Text1 || watched == Text2)) {
        // validation when the focus moves to another control of this page;
        // not when it goes to another window, a menu or a message box
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason && next && next != watched && isAncestorOf(next)) {
            CommitOpenEditor(true);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmCommChInfo::Text_Enter(QLineEdit* editor) {
    const int col = gEditCol;
    ExitGridEdit();
    MarkWritten(); // the focus move that follows does not write again
    if (editor == Text1 && GridRules::EnterGoesToNextLine(col, Text1->text()))
        GridNextLine();
    else
        GridNextCol();
}

void frmCommChInfo::List_Click(Editor editor) {
    if (edit_.open && GridRules::EditorOf(edit_.col) == editor) ExitGridEdit();
}

// Wherever the focus is: an edit left open while the user works in another
// window still belongs to the cell it was opened on.
void frmCommChInfo::ValidateControls() {
    CommitOpenEditor(false);
}

void frmCommChInfo::CommandCHInfoEdit_Click() {
    CommitOpenEditor(false);
    ShowDetailEditor();
}

// ---- window events ----

void frmCommChInfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && sub != frame_) {
        frame_ = sub;
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates, Qt::WindowStates now) {
                    if (now.testFlag(Qt::WindowActive))
                        Form_Activate();
                    else
                        Form_Deactivate();
                });
        if (sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub) Form_Activate();
    }
}

void frmCommChInfo::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isWindow()) {
        if (isActiveWindow())
            Form_Activate();
        else
            Form_Deactivate();
    }
}

void frmCommChInfo::Form_Activate() {
    if (active_) return;
    active_ = true;
    ShowInMain(true);
    if (FirstActivate) {
        FirstActivate = false;
        MSFlexGrid1_EnterCell();
    }
}

void frmCommChInfo::Form_Deactivate() {
    if (!active_) return;
    active_ = false;
    // another window of the main window takes over (not a dialog or another
    // program): the open cell is written before that window can change the
    // channel table
    if (window() != this && window()->isActiveWindow()) CommitOpenEditor(false);
    ShowInMain(false);
}

void frmCommChInfo::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmCommChInfo::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    ValidateControls();
    gFormChInfoShown = false;
    Platform::Forms::Unregister(this);
    UnhookTextMenu();
    active_ = false;
    ShowInMain(false);
}

// The text-box hook keeps the right-click menu (and pasting by mouse or drop)
// away from Text1 while the page is loaded.
void frmCommChInfo::HookTextMenu() {
    ModRidTextMenu::HookTextMenu(Text1);
}

void frmCommChInfo::UnhookTextMenu() {
    ModRidTextMenu::UnhookTextMenu(Text1);
}

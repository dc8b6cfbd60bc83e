#include "pages/FrmRadio.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/widgets/ModRidTextMenu.h"
#include "pages/PageGrid.h"
#include "platform/Numbers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <cmath>

using ModFunLang::GetLangText;

namespace {

constexpr double kLowest = 76;
constexpr double kHighest = 108;
constexpr int kEditorLength = 6;

} // namespace

FrmRadio::FrmRadio(QWidget* parent) : FeaturePage({"FrmRadio", 0}, parent) {
    setWindowTitle(QStringLiteral("收音机"));
    MSFlexGrid1 = new PageGrid(kPresetCount + 1, 2, this);
    SetName(MSFlexGrid1, "MSFlexGrid1");
    MSFlexGrid1->move(Px(240), Px(240));
    Text1 = new QLineEdit(this);
    SetName(Text1, "Text1");
    Text1->setMaxLength(kEditorLength);
    Text1->hide();
    Text1->installEventFilter(this);
    connect(Text1, &QLineEdit::textEdited, this, [this] { dirty_ = true; });
    connect(MSFlexGrid1, &QTableWidget::currentCellChanged, this, [this] { EnterCell(); });
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, [this] { EnterCell(); });
    AddCloseButton(Twips(240, 7000, 1335, 375));
    AddHelpButton(Twips(1700, 7000, 1335, 375));
    setFixedSize(Px(3300), Px(7600));
    Load();
}

QString FrmRadio::CheckRadioFre(const QString& text) {
    if (text.isEmpty()) return {};
    double f = kLowest;
    if (Platform::IsNumeric(text)) {
        f = Platform::Val(text);
        if (f < kLowest)
            f = kLowest;
        else if (f > kHighest)
            f = kHighest;
        else
            f = StepRadio(f);
    }
    return Platform::FormatFixed(f, 5, 3);
}

double FrmRadio::StepRadio(double mhz) {
    // 10 kHz units, halves to the even neighbour
    const auto n = static_cast<qint16>(std::nearbyint(mhz * 100));
    const int r = n % 5;
    const int stepped = r <= 2 ? n - r : n - r + 5;
    return stepped / 100.0;
}

QString FrmRadio::GetSaveRadioFreData(const QString& text) {
    if (text.isEmpty()) return {};
    if (!Platform::IsNumeric(text)) return QStringLiteral("76");
    const qsizetype point = text.indexOf(u'.');
    if (point < 0) return text;
    return text.left(point) + text.mid(point + 1);
}

void FrmRadio::ChangShowByLanguage() {
    setWindowTitle(GetLangText(17000));
    MSFlexGrid1->SetCellText(0, 0, GetLangText(17001));
    MSFlexGrid1->SetCellText(0, 1, GetLangText(17002));
}

namespace {

// A preset that holds something that is not a frequency (a damaged file).
bool IsUnreadable(const TRadioFre& preset) {
    if (preset.Empty != 0) return false;
    const QString code = ModFun::TrimNull(preset.Fre.Text());
    return !code.isEmpty() && code != QLatin1String("FFFFFFFF") && !Platform::IsNumeric(code);
}

} // namespace

QString FrmRadio::ShownPreset(int index) const {
    const TRadioFre& preset = gEditData.RadioFreList[static_cast<std::size_t>(index)];
    if (preset.Empty != 0 || IsUnreadable(preset)) return {};
    return ModShowFreFun::FreqCodeToText(ModFun::TrimNull(preset.Fre.Text()));
}

void FrmRadio::ShowPageData() {
    row_ = col_ = 0;
    MSFlexGrid1->SetLayout(Px(300), Px(300), {Px(1000), Px(1700)});
    for (int r = 1; r <= kPresetCount; ++r) {
        MSFlexGrid1->SetCellText(r, 0, QString::number(r));
        MSFlexGrid1->SetCellText(r, 1, ShownPreset(r - 1));
    }
    ModRidTextMenu::HookTextMenu(Text1);
}

void FrmRadio::CommitCell() {
    if (row_ < 1 || col_ < 1) return;
    TRadioFre& preset = gEditData.RadioFreList[static_cast<std::size_t>(row_ - 1)];
    // a preset shown empty because it is not a number stays until it is edited
    if (!dirty_ && IsUnreadable(preset)) return;
    const QString t = CheckRadioFre(Text1->text());
    preset.Empty = t.isEmpty() ? 1 : 0;
    preset.Fre.Assign(GetSaveRadioFreData(t));
    MSFlexGrid1->SetCellText(row_, col_,
                             ModShowFreFun::FreqCodeToText(ModFun::TrimNull(preset.Fre.Text())));
    dirty_ = false;
}

void FrmRadio::EnterCell() {
    CommitCell();
    col_ = MSFlexGrid1->currentColumn();
    row_ = MSFlexGrid1->currentRow();
    if (row_ < 1 || col_ < 1) {
        row_ = col_ = 0;
        Text1->hide();
        return;
    }
    Text1->setText(MSFlexGrid1->CellText(row_, col_).left(kEditorLength));
    dirty_ = false;
    Text1->setGeometry(MSFlexGrid1->CellRectIn(this, row_, col_));
    Text1->show();
    Text1->raise();
    Text1->setFocus();
}

void FrmRadio::ValidateControls() {
    if (Text1->isVisible() && (Text1->hasFocus() || dirty_)) CommitCell();
}

bool FrmRadio::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Text1) return FeaturePage::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const int next =
                MSFlexGrid1->currentRow() >= kPresetCount ? 1 : MSFlexGrid1->currentRow() + 1;
            MSFlexGrid1->setCurrentCell(next, qMax(1, MSFlexGrid1->currentColumn()));
            return true;
        }
    }
    if (DropsCellEditorKey(event)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        // leaving the editor for another control of the page commits it
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) CommitCell();
    }
    return false;
}

void FrmRadio::closeEvent(QCloseEvent* event) {
    if (Text1) {
        ValidateControls();
        ModRidTextMenu::UnhookTextMenu(Text1);
    }
    FeaturePage::closeEvent(event);
}

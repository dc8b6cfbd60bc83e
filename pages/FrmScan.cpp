#include "pages/FrmScan.h"

#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "pages/ModReFresh.h"
#include "pages/PageInputs.h"
#include "platform/Numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStyleOptionComboBox>

using ModFunLang::GetLangText;

namespace {

constexpr int kListLeft = 3000;
constexpr int kListWidth = 2160;
constexpr int kHalfWidth = 960;
constexpr int kListHeight = 315;
constexpr int kRowHeight = 420;
constexpr int kLabelGap = 100;

// Lists by row; lists 3 and 5 stand right of the group lists of their row.
constexpr int kRowOfList[11] = {0, 1, 2, 2, 3, 3, 4, 5, 6, 7, 8};
// The labels with captions, and their texts; labels 3 and 5 keep their dash.
constexpr int kCaptioned[] = {0, 1, 2, 4, 6, 7, 8, 9, 10};
constexpr auto kLabelTexts =
    ModFunLang::LangIds(26001, 26002, 26003, 26004, 26005, 26006, 26007, 26008, 26009);

int Top(int row) {
    return 240 + row * kRowHeight;
}

// What list 1 and the revert options call a priority channel.
QString Priority(const char* which) {
    return GetLangText(26002) + QLatin1String(which);
}

QString Plus(const QString& a, const QString& b) {
    return a + QStringLiteral(" + ") + b;
}

} // namespace

namespace ScanRules {

QList<int> RevertCodes(int priorityMode) {
    switch (priorityMode) {
    case 0:
        return {0, 1, 4, 5};
    case 1:
        return {0, 1, 2, 4, 5, 6};
    case 2:
        return {0, 1, 3, 4, 5, 7};
    case 3:
        return {0, 1, 2, 3, 4, 5, 6, 7};
    default:
        return {};
    }
}

std::optional<Enabled> Enabling(int scanMode, int priorityMode) {
    if (scanMode < 0) return std::nullopt;
    Enabled on{};
    if (scanMode == 0) return on;
    on.fill(true);
    on[0] = false; // list 0 is never switched by the rule
    const bool pri1 = priorityMode == 1 || priorityMode == 3 || priorityMode < 0;
    const bool pri2 = priorityMode == 2 || priorityMode == 3 || priorityMode < 0;
    on[2] = on[3] = pri1;
    on[4] = on[5] = pri2;
    return on;
}

} // namespace ScanRules

FrmScan::FrmScan(QWidget* parent)
    : FeaturePage({"FrmScan", 3500, /*lockStep=*/true, /*captionsFirst=*/true}, parent) {
    setWindowTitle(QStringLiteral("扫描设置"));
    BuildControls();
    setFixedSize(Px(5400), Px(Top(10) + 660));
    Load();
    FitListsToItems();
}

// The full-width lists grow to their longest entry in the current language
// (the hidden list lends its entries to them), and the page with them.
void FrmScan::FitListsToItems() {
    int width = Px(kListWidth);
    for (QComboBox* list : Combo1) {
        QStyleOptionComboBox opt;
        opt.initFrom(list);
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                          QStyle::SC_ComboBoxEditField, list);
        const int around = list->width() - field.width() + 2;
        for (const QComboBox* source :
             {static_cast<const QComboBox*>(list), static_cast<const QComboBox*>(Combo2)})
            for (int i = 0; i < source->count(); ++i)
                width = std::max(width, list->fontMetrics().horizontalAdvance(source->itemText(i)) +
                                            around);
    }
    if (width == Px(kListWidth)) return;
    for (QComboBox* list : Combo1)
        if (list->width() == Px(kListWidth)) list->resize(width, list->height());
    setFixedSize(Px(kListLeft) + width + Px(240), height());
}

void FrmScan::BuildControls() {
    for (int i = 0; i < 11; ++i) {
        auto* list = new QComboBox(this);
        SetName(list, "Combo1", i);
        const int row = kRowOfList[i];
        const bool half = row == 2 || row == 3;
        const int left =
            half && (i == 3 || i == 5) ? kListLeft + kListWidth - kHalfWidth : kListLeft;
        list->setGeometry(Twips(left, Top(row), half ? kHalfWidth : kListWidth, kListHeight));
        Combo1[static_cast<std::size_t>(i)] = list;
        auto* label = new QLabel(this);
        SetName(label, "Label1", i);
        Label1[static_cast<std::size_t>(i)] = label;
        Pages::EnterMovesFocus(list);
        connect(list, &QComboBox::currentIndexChanged, this, [this, i] { Chosen(i); });
    }
    constexpr int kHelp[11] = {3501, 3502, 3503, 3503, 3504, 3504, 3505, 3506, 3507, 3508, 3509};
    for (int i = 0; i < 11; ++i)
        Combo1[static_cast<std::size_t>(i)]->setProperty("HelpContextID", kHelp[i]);
    // the dash between a group and its position
    for (int i : {3, 5}) {
        QLabel* dash = Label1[static_cast<std::size_t>(i)];
        dash->setText(QStringLiteral("-"));
        dash->setAlignment(Qt::AlignCenter);
        dash->setGeometry(Twips(kListLeft + kHalfWidth, Top(kRowOfList[i]),
                                kListWidth - 2 * kHalfWidth, kListHeight));
    }

    Check1 = new QCheckBox(this);
    SetName(Check1, "Check1");
    Check1->setGeometry(Twips(kListLeft, Top(9), kListWidth, kListHeight));
    Check1->setProperty("HelpContextID", 3510);
    Pages::EnterMovesFocus(Check1);
    connect(Check1, &QCheckBox::toggled, this,
            [this](bool on) { gEditData.Settings.Scan[7] = on ? 1 : 0; });

    Combo2 = new QComboBox(this);
    SetName(Combo2, "Combo2");
    Combo2->hide();

    AddCloseButton(Twips(1080, Top(10) + 120, 1335, 375));
    AddHelpButton(Twips(2940, Top(10) + 120, 1335, 375));
}

void FrmScan::ChangShowByLanguage() {
    setWindowTitle(GetLangText(26000));
    for (std::size_t k = 0; k < kLabelTexts.size(); ++k) {
        const auto i = static_cast<std::size_t>(kCaptioned[k]);
        QLabel* label = Label1[i];
        const QComboBox* list = Combo1[i];
        label->setText(GetLangText(kLabelTexts[k]));
        label->adjustSize();
        label->move(list->x() - label->width() - Px(kLabelGap),
                    list->y() + (list->height() - label->height()) / 2);
    }
    Check1->setText(GetLangText(26010));
}

void FrmScan::InitShowList() {
    Pages::FillList(Combo1[0], {GetLangText(26030), GetLangText(26031)});
    Pages::FillList(Combo1[1], {GetLangText(26030), Priority("1"), Priority("2"),
                                Plus(Priority("1"), Priority("2"))});
    ModReFresh::BuildGroupList(Combo1[2]);
    Pages::FillList(Combo1[4], ModReFresh::GroupListTexts());
    const QString talkback = GetLangText(26033);
    Pages::FillList(Combo2, {GetLangText(26032), Plus(GetLangText(26032), talkback), Priority("1"),
                             Priority("2"), GetLangText(26034), GetLangText(26035),
                             Plus(Priority("1"), talkback), Plus(Priority("2"), talkback)});
    QStringList lookBack;
    QStringList delays;
    for (int v = 1; v <= 50; ++v) {
        if (v >= 5) lookBack << Platform::FormatFixed(v * 0.1, 1);
        delays << Platform::FormatFixed(v * 0.1, 1);
    }
    Pages::FillList(Combo1[7], lookBack);
    Pages::FillList(Combo1[8], lookBack);
    Pages::FillList(Combo1[9], delays);
    Pages::FillList(Combo1[10], delays);
}

void FrmScan::ShowPageData() {
    auto& scan = gEditData.Settings.Scan;
    Pages::ChooseIndex(Combo1[0], scan[0]);
    Pages::ChooseIndex(Combo1[1], scan[1]);
    ModReFresh::ShowChannelRef(Combo1[2], Combo1[3], scan[8], scan[9]);
    ModReFresh::ShowChannelRef(Combo1[4], Combo1[5], scan[10], scan[11]);
    for (int i = 2; i <= 5; ++i)
        Combo1[static_cast<std::size_t>(i)]->setEnabled(false);
    InitRevertList();
    SelectRevert(scan[2]);
    Pages::ChooseIndex(Combo1[7], scan[3] - 5);
    Pages::ChooseIndex(Combo1[8], scan[4] - 5);
    Pages::ChooseIndex(Combo1[9], scan[5] - 1);
    Pages::ChooseIndex(Combo1[10], scan[6] - 1);
    if (scan[7] > 1) scan[7] = 0;
    Check1->setChecked(scan[7] != 0);
    SetScanEnabled();
}

void FrmScan::InitRevertList() {
    const int mode = Combo1[1]->currentIndex();
    QStringList items;
    for (int code : ScanRules::RevertCodes(mode))
        items << Combo2->itemText(code);
    Pages::FillList(Combo1[6], items);
    for (int i = 2; i <= 5; ++i)
        if (mode == 3 || mode == (i <= 3 ? 1 : 2))
            Combo1[static_cast<std::size_t>(i)]->setEnabled(true);
}

void FrmScan::ReshowByCh() {
    auto& scan = gEditData.Settings.Scan;
    ModReFresh::BuildGroupList(Combo1[2]);
    Pages::FillList(Combo1[4], ModReFresh::GroupListTexts());
    ModReFresh::ShowChannelRef(Combo1[2], Combo1[3], scan[8], scan[9]);
    ModReFresh::ShowChannelRef(Combo1[4], Combo1[5], scan[10], scan[11]);
}

void FrmScan::SetScanEnabled() {
    const auto on = ScanRules::Enabling(Combo1[0]->currentIndex(), Combo1[1]->currentIndex());
    if (!on) return;
    for (int i = 1; i <= 10; ++i)
        Combo1[static_cast<std::size_t>(i)]->setEnabled((*on)[static_cast<std::size_t>(i)]);
    Check1->setEnabled((*on)[11]);
}

// The revert option of this code, else the first offered.
void FrmScan::SelectRevert(int code) {
    Pages::ChooseText(Combo1[6], Combo2->itemText(code >= 0 && code <= 7 ? code : 0));
}

int FrmScan::RevertCodeOf(const QString& text) const {
    const int code = Combo2->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return code < 0 ? 0 : code;
}

void FrmScan::Chosen(int list) {
    auto& scan = gEditData.Settings.Scan;
    QComboBox* combo = Combo1[static_cast<std::size_t>(list)];
    const int index = combo->currentIndex();
    const auto value = [&] {
        return static_cast<quint8>(ModReFresh::EntryValue(combo->currentText()));
    };
    switch (list) {
    case 2:
    case 4:
        scan[static_cast<std::size_t>(list + 6)] = value();
        ModReFresh::FillChannelNoCombo(Combo1[static_cast<std::size_t>(list + 1)], value());
        Pages::ChooseText(Combo1[static_cast<std::size_t>(list + 1)],
                          QString::number(scan[static_cast<std::size_t>(list + 7)]));
        return;
    case 3:
    case 5:
        scan[static_cast<std::size_t>(list + 6)] = value();
        return;
    case 6:
        scan[2] = static_cast<quint8>(RevertCodeOf(combo->currentText()));
        return;
    default:
        break;
    }
    if (index < 0) return; // emptied, nothing chosen
    switch (list) {
    case 0:
        SetScanEnabled();
        scan[0] = static_cast<quint8>(index);
        if (index == 0)
            for (std::size_t k = 2; k <= 5; ++k)
                if (gEditData.Settings.Keys[k] == 8) gEditData.Settings.Keys[k] = 0;
        ModReFresh::RefreshKeyForm();
        break;
    case 1:
        InitRevertList();
        SetScanEnabled();
        SelectRevert(scan[2]);
        scan[2] = static_cast<quint8>(RevertCodeOf(Combo1[6]->currentText()));
        scan[1] = static_cast<quint8>(index);
        break;
    case 7:
    case 8:
        scan[static_cast<std::size_t>(list - 4)] = static_cast<quint8>(index + 5);
        break;
    default: // 9, 10
        scan[static_cast<std::size_t>(list - 4)] = static_cast<quint8>(index + 1);
        break;
    }
}

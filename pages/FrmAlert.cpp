#include "pages/FrmAlert.h"

#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "pages/ModReFresh.h"
#include "pages/PageInputs.h"

#include <QComboBox>
#include <QLabel>

using ModFunLang::GetLangText;

namespace {

constexpr int kListLeft = 2880;
constexpr int kListWidth = 2520;
constexpr int kListHeight = 315;
constexpr int kRowHeight = 420;
constexpr int kLabelGap = 100;

constexpr auto kLabelTexts = ModFunLang::LangIds(27001, 27002, 27003, 27004, 27005, 27006, 27007,
                                                 27008, 27009, 27010, 27011);

// The alarm mode stands at the top, then lists 0 to 9.
int Top(int list) {
    return 240 + (list == 10 ? 0 : list + 1) * kRowHeight;
}

QStringList Numbers(int from, int to) {
    QStringList items;
    for (int v = from; v <= to; ++v)
        items << QString::number(v);
    return items;
}

} // namespace

namespace AlertRules {

QStringList MemoryItems() {
    QStringList items;
    const auto& codes = gEditData.Settings.Dtmf.Codes;
    for (std::size_t k = 0; k < codes.size(); ++k)
        if (codes[k].Len > 0) items << QStringLiteral("M%1").arg(k + 1);
    return items;
}

int MemoryOf(const QString& item) {
    return item.isEmpty() ? 0 : ModReFresh::EntryValue(item.mid(1));
}

Enabled AlarmTypeRule(Enabled on, int alarmType) {
    const bool local = alarmType == 0;
    on[3] = local;
    on[1] = on[2] = on[4] = on[5] = !local;
    return on;
}

Enabled ChannelSelectRule(Enabled on, int channelSelect) {
    if (channelSelect == 0) on[7] = on[8] = true;
    if (channelSelect == 1) on[7] = on[8] = false;
    return on;
}

Enabled AlarmModeRule(Enabled on, int alarmMode, int alarmType, int channelSelect) {
    if (alarmMode < 0) return on;
    on.fill(alarmMode != 0);
    if (alarmMode == 0) return on;
    return ChannelSelectRule(AlarmTypeRule(on, alarmType), channelSelect);
}

} // namespace AlertRules

FrmAlert::FrmAlert(QWidget* parent)
    : FeaturePage({"FrmAlert", 3600, /*lockStep=*/true, /*captionsFirst=*/true}, parent) {
    setWindowTitle(QStringLiteral("紧急报警"));
    BuildControls();
    setFixedSize(Px(5640), Px(Top(9) + kRowHeight + 660));
    Load();
}

void FrmAlert::BuildControls() {
    for (int i = 0; i < 11; ++i) {
        auto* list = new QComboBox(this);
        SetName(list, "Combo1", i);
        list->setGeometry(Twips(kListLeft, Top(i), kListWidth, kListHeight));
        list->setProperty("HelpContextID", i == 10 ? 3601 : 3602 + i);
        Combo1[static_cast<std::size_t>(i)] = list;
        auto* label = new QLabel(this);
        SetName(label, "Label1", i);
        Label1[static_cast<std::size_t>(i)] = label;
        connect(list, &QComboBox::currentIndexChanged, this, [this, i] { Chosen(i); });
    }
    // in the order the page is read, the alarm mode first
    setTabOrder(Combo1[10], Combo1[0]);
    for (std::size_t i = 0; i + 1 < 10; ++i)
        setTabOrder(Combo1[i], Combo1[i + 1]);
    const int buttons = Top(9) + kRowHeight + 120;
    AddCloseButton(Twips(1080, buttons, 1335, 375));
    AddHelpButton(Twips(2940, buttons, 1335, 375));
}

void FrmAlert::ChangShowByLanguage() {
    setWindowTitle(GetLangText(27000));
    for (std::size_t i = 0; i < Label1.size(); ++i) {
        QLabel* label = Label1[i];
        label->setText(GetLangText(kLabelTexts[i]));
        label->adjustSize();
        label->move(Combo1[i]->x() - label->width() - Px(kLabelGap),
                    Combo1[i]->y() + (Combo1[i]->height() - label->height()) / 2);
    }
}

void FrmAlert::InitShowList() {
    Pages::FillList(Combo1[0], {GetLangText(27030), GetLangText(27031), GetLangText(27032),
                                GetLangText(27033)});
    Pages::FillList(Combo1[1], {GetLangText(27037), GetLangText(27038)});
    const QStringList seconds = Numbers(1, 255);
    for (std::size_t i = 3; i <= 5; ++i)
        Pages::FillList(Combo1[i], seconds);
    Pages::FillList(Combo1[6], {GetLangText(27034), GetLangText(27035)});
    ModReFresh::BuildGroupList(Combo1[7]);
    Pages::FillList(Combo1[9], QStringList{GetLangText(27036)} + seconds);
    Pages::FillList(Combo1[10], {GetLangText(26030), GetLangText(26031)});
}

void FrmAlert::ShowPageData() {
    auto& alert = gEditData.Settings.Alert;
    Pages::ChooseIndex(Combo1[0], alert[0]);
    Pages::ChooseIndex(Combo1[1], alert[1]);
    if (Combo1[1]->currentIndex() == 1) {
        FillMemoryList();
        Pages::ChooseText(Combo1[2], QStringLiteral("M%1").arg(alert[2]));
    } else {
        Pages::FillList(Combo1[2], {});
    }
    for (std::size_t i = 3; i <= 5; ++i)
        Pages::ChooseIndex(Combo1[i], alert[i] - 1);
    Pages::ChooseIndex(Combo1[6], alert[6]);
    ModReFresh::ShowChannelRef(Combo1[7], Combo1[8], alert[7], alert[8]);
    Pages::ChooseIndex(Combo1[9], alert[9]);
    Pages::ChooseIndex(Combo1[10], gEditExtraData.AlertMode);
}

void FrmAlert::ReshowByCh() {
    auto& alert = gEditData.Settings.Alert;
    ModReFresh::BuildGroupList(Combo1[7]);
    ModReFresh::ShowChannelRef(Combo1[7], Combo1[8], alert[7], alert[8]);
}

void FrmAlert::RefreshCodeMemoryLists() {
    if (Combo1[1]->currentIndex() != 1) return;
    // chooses the entry it showed, else its first, as the user would
    const QString shown = Combo1[2]->currentText();
    FillMemoryList();
    Pages::ChooseText(Combo1[2], shown);
}

void FrmAlert::FillMemoryList() {
    Pages::FillList(Combo1[2], AlertRules::MemoryItems());
}

AlertRules::Enabled FrmAlert::CurrentEnabled() const {
    AlertRules::Enabled on{};
    for (std::size_t i = 0; i < on.size(); ++i)
        on[i] = Combo1[i]->isEnabled();
    return on;
}

void FrmAlert::SetEnabled(const AlertRules::Enabled& on) {
    for (std::size_t i = 0; i < on.size(); ++i)
        Combo1[i]->setEnabled(on[i]);
}

void FrmAlert::ApplyRule(AlertRules::Enabled (*rule)(AlertRules::Enabled, int), int choice) {
    SetEnabled(rule(CurrentEnabled(), choice));
}

void FrmAlert::Chosen(int list) {
    auto& alert = gEditData.Settings.Alert;
    QComboBox* combo = Combo1[static_cast<std::size_t>(list)];
    const int index = combo->currentIndex();
    switch (list) {
    case 2:
        if (alert[1] == 0) alert[2] = 0;
        if (alert[1] == 1)
            alert[2] = static_cast<quint8>(AlertRules::MemoryOf(combo->currentText()));
        return;
    case 7:
        ModReFresh::FillChannelNoCombo(Combo1[8], ModReFresh::EntryValue(combo->currentText()));
        Pages::ChooseText(Combo1[8], QString::number(alert[8]));
        alert[7] = static_cast<quint8>(ModReFresh::EntryValue(combo->currentText()));
        return;
    case 8:
        alert[8] = static_cast<quint8>(ModReFresh::EntryValue(combo->currentText()));
        return;
    default:
        break;
    }
    if (index < 0) return; // emptied, nothing chosen
    switch (list) {
    case 0:
        ApplyRule(AlertRules::AlarmTypeRule, index);
        alert[0] = static_cast<quint8>(index);
        break;
    case 1:
        Pages::FillList(Combo1[2], {});
        if (index == 0) {
            alert[2] = 0;
        } else {
            FillMemoryList();
            Pages::ChooseText(Combo1[2], QStringLiteral("M%1").arg(alert[2]));
            alert[2] = static_cast<quint8>(AlertRules::MemoryOf(Combo1[2]->currentText()));
        }
        alert[1] = static_cast<quint8>(index);
        break;
    case 3:
    case 4:
    case 5:
        alert[static_cast<std::size_t>(list)] = static_cast<quint8>(index + 1);
        break;
    case 6:
        ApplyRule(AlertRules::ChannelSelectRule, index);
        alert[6] = static_cast<quint8>(index);
        break;
    case 9:
        alert[9] = static_cast<quint8>(index);
        break;
    default: // 10
        SetEnabled(AlertRules::AlarmModeRule(CurrentEnabled(), index, Combo1[0]->currentIndex(),
                                             Combo1[6]->currentIndex()));
        gEditExtraData.AlertMode = static_cast<quint8>(index);
        break;
    }
}

#include "pages/FrmOptFeatures.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "data/widgets/FormHelpers.h"
#include "pages/PageInputs.h"
#include "platform/Numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <cmath>

using ModFunLang::GetLangText;

namespace OptFeatRules {

int FieldOf(int id) {
    static constexpr int kCombo[12] = {0, 1, 3, 4, 12, 9, 13, 14, 15, 16, 17, 2};
    static constexpr int kCheck[6] = {5, 6, 7, 8, 10, 11};
    if (id >= 0 && id <= 11) return kCombo[id];
    if (id >= 20 && id <= 25) return kCheck[id - 20];
    return -1;
}

int IndexOfStored(int id, int value) {
    if (id == 10 || id == 11) return value - 1;
    if (id == 4) return static_cast<int>(std::lround(value / 15.0));
    return value;
}

int StoredOfIndex(int id, int index) {
    if (id == 10 || id == 11) return index + 1;
    if (id == 4) return index * 15;
    return index;
}

} // namespace OptFeatRules

namespace {

// Where the combo boxes stand: the list column and the row of each box.
constexpr int kComboLeft = 2300;
constexpr int kComboWidth = 1900;
constexpr int kRowTop = 240;
constexpr int kRowStep = 420;
constexpr int kLabelGap = 100;
constexpr int kComboRow[12] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 2};
constexpr int kCheckLeft = 4600;
// rows of Check1 (0..6); the wired-clone box (4) is hidden
constexpr int kCheckRow[7] = {0, 1, 2, 3, 6, 4, 5};

constexpr int kComboHelp[12] = {3201, 3202, 3205, 3204, 3206, 3207,
                                3208, 3209, 3212, 3213, 3210, 3203};
constexpr int kCheckHelp[7] = {3211, 3214, 3215, 3216, 3215, 3217, 3216};

constexpr auto kLabelTexts = ModFunLang::LangIds(16001, 16002, 16003, 16004, 16005, 16006, 16007,
                                                 16008, 16009, 16010, 16011, 16012);
constexpr auto kCheckTexts = ModFunLang::LangIds(16020, 16021, 16022, 16023, 16024, 16025, 16036);
constexpr auto kVoicePromptItems = ModFunLang::LangIds(16040, 16042, 16043);
constexpr auto kTailElimItems = ModFunLang::LangIds(16300, 16301, 16044, 16045);
constexpr auto kBatterySaveItems = ModFunLang::LangIds(16040, 16046, 16047, 16048);
constexpr qint32 kOffText = 16040;

template <std::size_t N> QStringList Texts(const std::array<qint32, N>& ids) {
    QStringList items;
    for (qint32 id : ids)
        items << GetLangText(id);
    return items;
}

QStringList Numbers(int first, int last, int step = 1) {
    QStringList items;
    for (int n = first; n <= last; n += step)
        items << QString::number(n);
    return items;
}

void Fill(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

} // namespace

FrmOptFeatures::FrmOptFeatures(QWidget* parent) : FeaturePage({"FrmOptFeatures", 3200}, parent) {
    setWindowTitle(QStringLiteral("可选功能"));
    BuildControls();
    setFixedSize(Px(8400), Px(6300));
    Load();
}

void FrmOptFeatures::BuildControls() {
    for (int i = 0; i < 12; ++i) {
        auto* label = new QLabel(this);
        SetName(label, "Label1", i);
        auto* combo = new QComboBox(this);
        SetName(combo, "Combo1", i);
        const int top = kRowTop + kRowStep * kComboRow[i];
        combo->setGeometry(Twips(kComboLeft, top, kComboWidth, 330));
        combo->setProperty("HelpContextID", kComboHelp[i]);
        label->move(0, Px(top + 45));
        Label1[static_cast<std::size_t>(i)] = label;
        Combo1[static_cast<std::size_t>(i)] = combo;
        Pages::EnterMovesFocus(combo);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, i] {
            if (!showing_) SaveOptFeat(i);
        });
    }
    for (int i = 0; i < 7; ++i) {
        auto* check = new QCheckBox(this);
        SetName(check, "Check1", i);
        const int indent = i == 1 ? 300 : 0;
        check->setGeometry(
            Twips(kCheckLeft + indent, kRowTop + kRowStep * kCheckRow[i], 3600 - indent, 330));
        check->setProperty("HelpContextID", kCheckHelp[i]);
        check->setVisible(i != 4);
        Check1[static_cast<std::size_t>(i)] = check;
        Pages::EnterMovesFocus(check);
        connect(check, &QCheckBox::stateChanged, this, [this, i] {
            if (showing_) return;
            SaveOptFeat(i + 20);
            if (i == 0) ApplyVoxRule();
        });
    }
    // tab order: the lists from top to bottom, then the check boxes
    QWidget* previous = nullptr;
    for (int row = 0; row < 12; ++row)
        for (int i = 0; i < 12; ++i)
            if (kComboRow[i] == row) {
                if (previous) setTabOrder(previous, Combo1[static_cast<std::size_t>(i)]);
                previous = Combo1[static_cast<std::size_t>(i)];
            }
    for (QCheckBox* check : Check1) {
        setTabOrder(previous, check);
        previous = check;
    }
    AddCloseButton(Twips(4800, 5500, 1200, 375));
    AddHelpButton(Twips(6400, 5500, 1200, 375));
}

void FrmOptFeatures::InitShowList() {
    Fill(Combo1[0], Numbers(0, 9));
    Fill(Combo1[11], Numbers(1, 5));
    Fill(Combo1[10], Numbers(1, 8));
}

void FrmOptFeatures::ChangShowByLanguage() {
    setWindowTitle(GetLangText(16000));
    for (std::size_t i = 0; i < Label1.size(); ++i) {
        QLabel* label = Label1[i];
        label->setText(GetLangText(kLabelTexts[i]));
        label->adjustSize();
        // the caption ends just before its list, whatever its length
        label->move(Combo1[i]->x() - Px(kLabelGap) - label->width(), label->y());
    }
    for (std::size_t i = 0; i < Check1.size(); ++i)
        Check1[i]->setText(GetLangText(kCheckTexts[i]));

    const QString off = GetLangText(kOffText);
    Fill(Combo1[1], Texts(kVoicePromptItems));
    Fill(Combo1[2], Texts(kTailElimItems));
    Fill(Combo1[3], Texts(kBatterySaveItems));
    Fill(Combo1[4], QStringList{off} + Numbers(15, 240, 15));
    Fill(Combo1[5], QStringList{off} + Numbers(1, 10));
    Fill(Combo1[6], Numbers(0, 60));
    Fill(Combo1[7], Numbers(0, 30));
    Fill(Combo1[8], QStringList{off} + Numbers(1, 3));
    QStringList delays;
    for (int k = 1; k <= 10; ++k)
        delays << Platform::FormatFixed(k * 0.5, 1);
    Fill(Combo1[9], delays);
}

void FrmOptFeatures::ShowPageData() {
    ShowOptFeat(gEditData.Settings.OptFeatures);
}

void FrmOptFeatures::ShowOptFeat(std::array<qint16, 18> fields) {
    for (int id = 0; id < 12; ++id) {
        QComboBox* combo = Combo1[static_cast<std::size_t>(id)];
        int index = OptFeatRules::IndexOfStored(id, fields[OptFeatRules::FieldOf(id)]);
        if (NotInComboList(combo, index)) index = 0;
        showing_ = true;
        combo->setCurrentIndex(combo->count() > 0 ? index : -1);
        showing_ = false;
        // a shown choice is stored as a chosen one: a value outside the
        // list becomes the first item's
        SaveOptFeat(id);
    }
    showing_ = true;
    for (int i = 0; i < 6; ++i) {
        const auto field = static_cast<std::size_t>(OptFeatRules::FieldOf(20 + i));
        int value = fields[field];
        ModFun::SetCheckValue(Check1[static_cast<std::size_t>(i)], value);
        // a value above 1 shows clear, and is kept as the box shows it
        if (value != fields[field])
            gEditData.Settings.OptFeatures[field] = static_cast<qint16>(value);
    }
    int prohibit = gEditData.ProhibitInit;
    ModFun::SetCheckValue(Check1[6], prohibit);
    gEditData.ProhibitInit = static_cast<qint16>(prohibit);
    showing_ = false;
    ApplyVoxRule();
}

void FrmOptFeatures::ApplyVoxRule() {
    const bool vox = Check1[0]->isChecked();
    Check1[1]->setEnabled(vox);
    Combo1[8]->setEnabled(vox);
    Combo1[9]->setEnabled(vox);
}

void FrmOptFeatures::SaveOptFeat(int id) {
    std::array<qint16, 18> fields = gEditData.Settings.OptFeatures;
    if (id >= 0 && id <= 11) {
        const int index = Combo1[static_cast<std::size_t>(id)]->currentIndex();
        if (index < 0) return;
        fields[OptFeatRules::FieldOf(id)] =
            static_cast<qint16>(OptFeatRules::StoredOfIndex(id, index));
    } else if (id >= 20 && id <= 25) {
        fields[OptFeatRules::FieldOf(id)] = Check1[static_cast<std::size_t>(id - 20)]->isChecked();
    } else if (id == OptFeatRules::kProhibitInitId) {
        gEditData.ProhibitInit = Check1[6]->isChecked() ? 1 : 0;
        return;
    } else {
        return;
    }
    gEditData.Settings.OptFeatures = fields;
}

bool FrmOptFeatures::NotInComboList(const QComboBox* rCombo, int rIndex) {
    return rIndex < 0 || rIndex > rCombo->count() - 1;
}

#include "pages/FrmKey.h"

#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "pages/PageInputs.h"
#include "platform/Numbers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>

using ModFunLang::GetLangText;

namespace {

// The names of the key functions, by code.
constexpr auto kFunctionTexts = ModFunLang::LangIds(
    25040, 25041, 25042, 25043, 25044, 25045, 25046, 25047, 25048, 25049, 25050, 25051, 25052,
    25053, 25054, 25055, 25056, 25057, 25058, 25059, 25060, 25061, 25062);
static_assert(kFunctionTexts.size() == KeyRules::kFunctionCount);

constexpr int kLabelGap = 100;
constexpr int kListWidth = 2160;
constexpr int kListHeight = 315;

// The key function fields: list k edits field k + 2, the times lists 9 and
// 10 fields 0 and 1.
int FieldOfList(int list) {
    return list >= 9 ? list - 9 : list + 2;
}

bool IsShortPress(int list) {
    return list == 1 || list == 3;
}

} // namespace

namespace KeyRules {

QList<int> OfferedCodes(bool shortPress) {
    QList<int> codes;
    for (int c = 0; c < kFunctionCount; ++c) {
        if (c == kNeverOffered) continue;
        if (shortPress && (c == 4 || c == 11)) continue;
        codes << c;
    }
    return codes;
}

Choice Choose(const QStringList& functionNames, const QString& chosen, const QString& firstEntry,
              int scanMode, bool voxOn) {
    Choice r{chosen, 0};
    // scanning and VOX are on only as their pages show them: a stored value
    // above 1 shows as off there
    if (r.text == functionNames.value(kScanFunction) && scanMode != 1) r.text = firstEntry;
    if (r.text == functionNames.value(kVoxFunction) && !voxOn) r.text = firstEntry;
    r.code = static_cast<int>(std::max<qsizetype>(0, functionNames.indexOf(r.text)));
    return r;
}

} // namespace KeyRules

FrmKey::FrmKey(QWidget* parent)
    : FeaturePage({"FrmKey", 3400, /*lockStep=*/true, /*captionsFirst=*/true}, parent) {
    setWindowTitle(QStringLiteral("按键设置"));
    BuildControls();
    setFixedSize(Px(5400), Px(4500));
    Load();
}

void FrmKey::BuildControls() {
    Frame1 = new QGroupBox(this);
    SetName(Frame1, "Frame1");
    Frame1->setGeometry(Twips(120, 1140, 5160, 1260));
    Frame2 = new QGroupBox(this);
    SetName(Frame2, "Frame2");
    Frame2->setGeometry(Twips(120, 2520, 5160, 1260));

    auto addList = [this](int index, QWidget* parent, int left, int top) {
        auto* list = new QComboBox(parent);
        SetName(list, "Combo1", index);
        list->setGeometry(Twips(left, top, kListWidth, kListHeight));
        auto* label = new QLabel(parent);
        SetName(label, "Label1", index);
        Combo1[static_cast<std::size_t>(index)] = list;
        Label1[static_cast<std::size_t>(index)] = label;
        Pages::EnterMovesFocus(list);
        if (index >= 9)
            connect(list, &QComboBox::currentIndexChanged, this,
                    [this, index] { TimeChosen(index); });
        else
            connect(list, &QComboBox::currentIndexChanged, this,
                    [this, index] { KeyChosen(index); });
    };
    addList(9, this, 3000, 240);
    addList(10, this, 3000, 660);
    addList(0, Frame1, 2880, 360);
    addList(1, Frame1, 2880, 780);
    addList(2, Frame2, 2880, 360);
    addList(3, Frame2, 2880, 780);
    Combo1[9]->setProperty("HelpContextID", 3401);
    Combo1[10]->setProperty("HelpContextID", 3402);

    Combo2 = new QComboBox(this);
    SetName(Combo2, "Combo2");
    Combo2->hide();

    AddCloseButton(Twips(1080, 3960, 1335, 375));
    AddHelpButton(Twips(2940, 3960, 1335, 375));
}

void FrmKey::ChangShowByLanguage() {
    setWindowTitle(GetLangText(25000));
    Label1[0]->setText(GetLangText(25005));
    Label1[2]->setText(GetLangText(25005));
    Label1[1]->setText(GetLangText(25006));
    Label1[3]->setText(GetLangText(25006));
    Label1[9]->setText(GetLangText(25001));
    Label1[10]->setText(GetLangText(25002));
    Frame1->setTitle(GetLangText(25003));
    Frame2->setTitle(GetLangText(25004));
    for (int i : {0, 1, 2, 3, 9, 10}) {
        QLabel* label = Label1[static_cast<std::size_t>(i)];
        const QComboBox* list = Combo1[static_cast<std::size_t>(i)];
        label->adjustSize();
        label->move(list->x() - label->width() - Px(kLabelGap),
                    list->y() + (list->height() - label->height()) / 2);
    }
}

void FrmKey::InitShowList() {
    QStringList times;
    for (int v = 10; v <= 25; ++v)
        times << Platform::FormatFixed(v * 0.1, 1);
    Pages::FillList(Combo1[9], times);
    Pages::FillList(Combo1[10], times);

    QStringList names;
    for (qint32 id : kFunctionTexts)
        names << GetLangText(id);
    Pages::FillList(Combo2, names);
    for (int list = 0; list <= 3; ++list) {
        QStringList items;
        for (int c : KeyRules::OfferedCodes(IsShortPress(list)))
            items << names[c];
        Pages::FillList(Combo1[static_cast<std::size_t>(list)], items);
    }
}

void FrmKey::ShowPageData() {
    ShowKeyFunctions();
    const auto& keys = gEditData.Settings.Keys;
    Pages::ChooseIndex(Combo1[9], keys[0] - 10);
    Pages::ChooseIndex(Combo1[10], keys[1] - 10);
}

void FrmKey::ShowKeyFunctions() {
    const auto& keys = gEditData.Settings.Keys;
    for (int list = 0; list <= 3; ++list) {
        const int code = keys[static_cast<std::size_t>(FieldOfList(list))];
        const int shown = code < 0 || code >= KeyRules::kFunctionCount ? 0 : code;
        Pages::ChooseText(Combo1[static_cast<std::size_t>(list)], Combo2->itemText(shown));
    }
}

void FrmKey::KeyChosen(int list) {
    QComboBox* combo = Combo1[static_cast<std::size_t>(list)];
    if (combo->currentIndex() < 0) return;
    QStringList names;
    for (int i = 0; i < Combo2->count(); ++i)
        names << Combo2->itemText(i);
    const bool voxOn = gEditData.Settings.OptFeatures[5] == 1;
    const KeyRules::Choice choice = KeyRules::Choose(
        names, combo->currentText(), combo->itemText(0), gEditData.Settings.Scan[0], voxOn);
    if (choice.text != combo->currentText()) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(0);
    }
    {
        const QSignalBlocker quiet(Combo2);
        Combo2->setCurrentIndex(choice.code);
    }
    gEditData.Settings.Keys[static_cast<std::size_t>(FieldOfList(list))] =
        static_cast<qint16>(choice.code);
}

void FrmKey::TimeChosen(int list) {
    const int index = Combo1[static_cast<std::size_t>(list)]->currentIndex();
    if (index < 0) return;
    gEditData.Settings.Keys[static_cast<std::size_t>(FieldOfList(list))] =
        static_cast<qint16>(index + 10);
}

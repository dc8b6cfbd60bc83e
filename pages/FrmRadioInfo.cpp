#include "pages/FrmRadioInfo.h"

#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/RadioData.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using ModFunLang::GetLangText;

namespace {

// The field column (left edge and width) and the heights of the fields.
constexpr int kFieldLeft = 2400;
constexpr int kFieldWidth = 4695;
constexpr int kFieldHeight = 330;
constexpr int kDescriptionHeight = 1005;
constexpr int kLabelGap = 50; // between a caption's right edge and its field

constexpr int kFrameLeft = 120;
constexpr int kFrameTop = 5220;
constexpr int kFrameHeight = 2040;

// One row of the view: the field (a text box or, with text1 = -1, a list),
// its caption label (-1: Label2) and where it stands; frame rows are placed
// inside Frame1.
struct Row {
    int text1;
    int combo1;
    int label1;
    int top;
};
constexpr Row kRows[] = {
    {0, -1, -1, 240}, {6, -1, 8, 660},  {7, -1, 9, 1080},   {-1, 0, 0, 1500},   {-1, 1, 1, 1920},
    {1, -1, 2, 2340}, {2, -1, 3, 2760}, {3, -1, 4, 3180},   {5, -1, 6, 3600},   {4, -1, 5, 4020},
    {8, -1, 10, 300}, {9, -1, 11, 720}, {10, -1, 12, 1140}, {11, -1, 13, 1560},
};
constexpr int kDescription = 4;

// Captions of Label1 (0..13) and of Label2.
constexpr auto kLabelTexts = ModFunLang::LangIds(21005, 21006, 21007, 21008, 21009, 21011, 21010,
                                                 21012, 21003, 21004, 21013, 21014, 21015, 21016);
constexpr qint32 kLabel2Text = 21002;
constexpr qint32 kFrameText = 21001;
constexpr qint32 kCaptionText = 21000;

bool InFrame(int text1) {
    return text1 >= 8;
}

// Selects the item with exactly this text; no item is chosen when the list
// has none (a model or band this program does not know).
void SelectText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(
        text.isEmpty() ? -1 : combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace

FrmRadioInfo::FrmRadioInfo(QWidget* parent)
    : FeaturePage({"FrmRadioInfo", 3800, /*lockStep=*/false}, parent) {
    setWindowTitle(QStringLiteral("对讲机信息"));
    BuildControls();
    setFixedSize(Px(7380), Px(8160));
    Load();
}

void FrmRadioInfo::BuildControls() {
    Frame1 = new QGroupBox(this);
    SetName(Frame1, "Frame1");
    Frame1->setGeometry(Twips(kFrameLeft, kFrameTop, kFieldLeft + kFieldWidth, kFrameHeight));

    Label2 = new QLabel(this);
    SetName(Label2, "Label2");
    for (int i = 0; i < static_cast<int>(Label1.size()); ++i) {
        auto* label = new QLabel(i >= 10 ? static_cast<QWidget*>(Frame1) : this);
        SetName(label, "Label1", i);
        Label1[static_cast<std::size_t>(i)] = label;
    }

    for (const Row& row : kRows) {
        QWidget* parent = InFrame(row.text1) ? static_cast<QWidget*>(Frame1) : this;
        const int left = InFrame(row.text1) ? kFieldLeft - kFrameLeft : kFieldLeft;
        QWidget* field = nullptr;
        if (row.text1 == kDescription) {
            auto* box = new QPlainTextEdit(parent);
            box->setGeometry(Twips(left, row.top, kFieldWidth, kDescriptionHeight));
            field = box;
        } else if (row.text1 >= 0) {
            auto* box = new QLineEdit(parent);
            box->setGeometry(Twips(left, row.top, kFieldWidth, kFieldHeight));
            field = box;
        } else {
            auto* combo = new QComboBox(parent);
            combo->setGeometry(Twips(left, row.top, kFieldWidth, kFieldHeight));
            field = combo;
        }
        if (row.text1 >= 0) {
            SetName(field, "Text1", row.text1);
            Text1[static_cast<std::size_t>(row.text1)] = field;
        } else {
            SetName(field, "Combo1", row.combo1);
            Combo1[static_cast<std::size_t>(row.combo1)] = static_cast<QComboBox*>(field);
        }
        // shown, never edited, yet as legible as an input
        field->setEnabled(false);
        field->setFocusPolicy(Qt::NoFocus);
        QPalette palette = field->palette();
        for (auto role : {QPalette::Text, QPalette::ButtonText})
            palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
        field->setPalette(palette);
    }
    Combo1[0]->addItems({QStringLiteral("KL740"), QStringLiteral("KL740G")});

    AddCloseButton(Twips(1800, 7560, 1335, 375));
    AddHelpButton(Twips(4200, 7560, 1335, 375));
}

// The band list holds the 17 band texts.
void FrmRadioInfo::InitShowList() {
    Combo1[1]->clear();
    Combo1[1]->addItems(ModFreFile::BandTexts());
}

void FrmRadioInfo::ChangShowByLanguage() {
    setWindowTitle(GetLangText(kCaptionText));
    Frame1->setTitle(GetLangText(kFrameText));
    Label2->setText(GetLangText(kLabel2Text));
    for (std::size_t i = 0; i < Label1.size(); ++i)
        Label1[i]->setText(GetLangText(kLabelTexts[i]));
    // the version box looks like the window behind it
    QPalette palette = Text1[5]->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Window));
    Text1[5]->setPalette(palette);

    // Each caption ends just left of its field, whatever the length of its text.
    auto place = [](QLabel* label, const QWidget* field, int top) {
        label->adjustSize();
        label->move(field->x() - Px(kLabelGap) - label->width(), top);
    };
    for (const Row& row : kRows) {
        QLabel* label = row.label1 < 0 ? Label2 : Label1[static_cast<std::size_t>(row.label1)];
        const QWidget* field = row.text1 >= 0 ? Text1[static_cast<std::size_t>(row.text1)]
                                              : Combo1[static_cast<std::size_t>(row.combo1)];
        if (row.text1 == kDescription) {
            place(label, field, field->y() + Px(60));
            place(Label1[7], field, label->y() + label->sizeHint().height());
        } else {
            place(label, field, field->y() + (field->height() - label->sizeHint().height()) / 2);
        }
    }
}

void FrmRadioInfo::ShowByData() {
    const TLocalInfo& info = gLocalInfo;
    using ModFun::TrimNull;
    SelectText(Combo1[0], TrimNull(info.RadioType));
    SelectText(Combo1[1], ModFreFile::BandCodeToText(info.BandCode));
    SetText1(0, info.AreaCode);
    SetText1(1, TrimNull(info.SerialNumber.Text()));
    SetText1(2, TrimNull(info.ProductedDate.Text()));
    SetText1(3, TrimNull(info.MaintainedDate.Text()));
    SetText1(4, TrimNull(info.Description.Text()));
    SetText1(5, info.Version);
    SetText1(6, TrimNull(info.BatchNumber.Text()));
    SetText1(7, TrimNull(info.UserCode.Text()));
    SetText1(8, TrimNull(info.DealerCode.Text()));
    SetText1(9, TrimNull(info.StockDate.Text()));
    SetText1(10, TrimNull(info.SellDate.Text()));
    SetText1(11, TrimNull(info.Seller.Text()));
}

void FrmRadioInfo::SetText1(int index, const QString& text) {
    QWidget* field = Text1[static_cast<std::size_t>(index)];
    if (auto* box = qobject_cast<QPlainTextEdit*>(field))
        box->setPlainText(text);
    else
        static_cast<QLineEdit*>(field)->setText(text);
}

#include "pages/FrmModelInfo.h"

#include "data/ModCommFun.h"
#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "data/widgets/FormHelpers.h"
#include "pages/FeaturePage.h"
#include "pages/PageInputs.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using ModFunLang::GetLangText;
using Pages::FeaturePage;

namespace {

QRect Twips(int left, int top, int width, int height) {
    return {FeaturePage::Px(left), FeaturePage::Px(top), FeaturePage::Px(width),
            FeaturePage::Px(height)};
}

} // namespace

FrmModelInfo::FrmModelInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmModelInfo"));
    setWindowTitle(QStringLiteral("机型"));
    setFixedSize(FeaturePage::Px(4560), FeaturePage::Px(2160));

    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label1"));
        label->setProperty("Index", i);
        label->setGeometry(Twips(240, 300 + 540 * i, 1300, 330));
        Label1[static_cast<std::size_t>(i)] = label;
    }
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(Twips(1620, 260, 2640, 330));
    Combo1->addItems(ModFreFile::ModelNames());
    Combo2 = new QComboBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setGeometry(Twips(1620, 800, 2640, 330));
    CommandOK = new QPushButton(this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setGeometry(Twips(600, 1500, 1335, 375));
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    CommandCancel->setGeometry(Twips(2640, 1500, 1335, 375));
    setTabOrder(Combo1, Combo2);
    setTabOrder(Combo2, CommandOK);
    setTabOrder(CommandOK, CommandCancel);
    Pages::EnterMovesFocus(Combo1);
    Pages::EnterMovesFocus(Combo2);
    connect(CommandOK, &QPushButton::clicked, this, [this] { CommandOK_Click(); });
    connect(CommandCancel, &QPushButton::clicked, this, [this] { reject(); });

    // load
    Platform::Forms::Register(this);
    ChangShowByLanguage();
    ShowModelInfo();
    if (gLock != 0) ModFun::SetControlsEnabled(this);
}

void FrmModelInfo::ChangShowByLanguage() {
    setWindowTitle(GetLangText(13000));
    Label1[0]->setText(GetLangText(13001));
    Label1[1]->setText(GetLangText(13002));
    ModFunLang::SetOKCancelCaptions(this);
}

void FrmModelInfo::FillBandList(const QString& model) {
    Combo2->clear();
    if (ModFreFile::ModelNames().contains(model)) Combo2->addItems(ModFreFile::BandTexts());
    Combo2->setCurrentIndex(Combo2->count() > 0 ? 0 : -1);
}

void FrmModelInfo::ShowModelInfo() {
    ModFun::SelectComboText(Combo1, gModelName);
    FillBandList(Combo1->currentText());
    ModFun::SelectComboText(Combo2, gBandText);
}

bool FrmModelInfo::ChoiceDiffers(const QString& model, const QString& band) {
    return model != gModelName || band != gBandText;
}

void FrmModelInfo::TakeModelAndBand(const QString& model, const QString& band) {
    gModelName = model;
    gBandText = band;
    ModCommFun::StoreModelInfo(gEditData.ModelInfo);
    gLocalInfo.BandCode = gEditData.ModelInfo.BandCode;
    ModFun::ParseBandLimits();
}

void FrmModelInfo::CommandOK_Click() {
    const QString model = Combo1->currentText();
    const QString band = Combo2->currentText();
    if (ChoiceDiffers(model, band) &&
        Platform::MsgBox(GetLangText(9016), Platform::Mb::OKCancel | Platform::Mb::Exclamation,
                         GetLangText(9019)) == Platform::Mb::IdOK) {
        TakeModelAndBand(model, band);
        // this dialog unloads by itself; the main window closes the others
        Platform::Forms::Unregister(this);
        // the main window starts a new configuration for the new pair
        if (auto* main = Views::Open<Views::MainWindow>()) main->LoadNewDoc();
    }
    accept();
}

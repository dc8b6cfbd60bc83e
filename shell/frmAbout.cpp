#include "shell/frmAbout.h"

#include "data/ModFunLang.h"
#include "platform/Forms.h"
#include "shell/pictures/Pictures.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using ModFunLang::GetLangText;

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Platform::Forms::Register(this);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("picIcon"));
    image->setPixmap(QPixmap::fromImage(Pictures::AppIcon(64)));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto label = [this](const char* name, int text) {
        auto* l = new QLabel(GetLangText(text), this);
        l->setObjectName(QLatin1String(name));
        l->setWordWrap(true);
        return l;
    };
    QLabel* lblTitle = label("lblTitle", 24001);
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);
    QLabel* lblVersion = label("lblVersion", 24002);
    QLabel* lblDescription = label("lblDescription", 24003);
    QLabel* lblDisclaimer = label("lblDisclaimer", 24004);
    QFont small = lblDisclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lblDisclaimer->setFont(small);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* cmdOK = new QPushButton(GetLangText(24005), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(image, 0, 0, 3, 1);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblDescription, 2, 1);
    grid->addWidget(line, 3, 0, 1, 2);
    grid->addWidget(lblDisclaimer, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    setWindowTitle(GetLangText(24000));
    setMinimumWidth(420);
}

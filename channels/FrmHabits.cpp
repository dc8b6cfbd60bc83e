#include "channels/FrmHabits.h"

#include "data/ModFunLang.h"
#include "data/ModHabits.h"
#include "platform/Forms.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using ModFunLang::GetLangText;

namespace {

QPushButton* Button(QWidget* parent, const char* name, qint32 text) {
    auto* b = new QPushButton(GetLangText(text), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* ButtonRow(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace

FrmHabits::FrmHabits(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmHabits"));
    setWindowTitle(GetLangText(28006));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    // boxes 0 and 1 (paste), 2 and 3 (delete), 4 (transmit column)
    const int groups[][2] = {{0, 2}, {2, 4}, {4, 5}};
    for (const auto& g : groups) {
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::StyledPanel);
        auto* inner = new QVBoxLayout(frame);
        for (int i = g[0]; i < g[1]; ++i) {
            auto* box = new QCheckBox(GetLangText(28007 + i), frame);
            box->setObjectName(QStringLiteral("Check1"));
            box->setProperty("Index", i);
            box->setChecked(ModHabits::HabitFlag(i));
            Check1[static_cast<std::size_t>(i)] = box;
            inner->addWidget(box);
        }
        layout->addWidget(frame);
    }
    CommandOK = Button(this, "CommandOK", 28004);
    CommandCancel = Button(this, "CommandCancel", 28005);
    CommandOK->setDefault(true);
    layout->addLayout(ButtonRow(CommandOK, CommandCancel));
    connect(CommandOK, &QPushButton::clicked, this, &FrmHabits::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);
    Platform::Forms::Register(this);
}

void FrmHabits::CommandOK_Click() {
    for (int i = 0; i < 5; ++i)
        ModHabits::SetHabitFlag(i, Check1[static_cast<std::size_t>(i)]->isChecked());
    ModHabits::SaveHabits();
    accept();
}

FrmMsgConfirm::FrmMsgConfirm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmMsgConfirm"));
    setWindowTitle(GetLangText(28000));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(360);
    if (gConfirmMode == 1) Label1->setText(GetLangText(28001));
    if (gConfirmMode == 2) Label1->setText(GetLangText(28002));
    layout->addWidget(Label1);
    Check1 = new QCheckBox(GetLangText(28003), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    layout->addWidget(Check1);
    CommandOK = Button(this, "CommandOK", 28004);
    CommandCancel = Button(this, "CommandCancel", 28005);
    CommandOK->setDefault(true);
    layout->addLayout(ButtonRow(CommandOK, CommandCancel));
    connect(CommandOK, &QPushButton::clicked, this, [this] {
        answer_ = 1;
        accept();
    });
    connect(CommandCancel, &QPushButton::clicked, this, [this] {
        answer_ = 2;
        accept();
    });
    connect(this, &QDialog::finished, this, &FrmMsgConfirm::Form_Unload);
    Platform::Forms::Register(this);
}

FrmMsgConfirm::~FrmMsgConfirm() {
    Form_Unload();
}

// However the dialog closes, the answer (if any) becomes the habit once.
void FrmMsgConfirm::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    ModHabits::ApplyConfirmAnswer(answer_, Check1->isChecked());
}

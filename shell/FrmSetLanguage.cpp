#include "shell/FrmSetLanguage.h"

#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/widgets/FormHelpers.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "shell/ShellRules.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using ModFunLang::GetLangText;

namespace {
[[maybe_unused]] constexpr auto kTexts =
    ModFunLang::LangIds(23000, 23001, 23002, 23003, 9017, 9018);
} // namespace

FrmSetLanguage::FrmSetLanguage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmSetLanguage"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setMinimumWidth(160);
    Combo1->installEventFilter(this);
    CommandOK = new QPushButton(this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    connect(CommandOK, &QPushButton::clicked, this, &FrmSetLanguage::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &FrmSetLanguage::CommandCancel_Click);

    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(Combo1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setTabOrder(Combo1, CommandOK);
    setTabOrder(CommandOK, CommandCancel);

    // Form_Load
    ShowByLanguage();
    InitList();
    Combo1->setFocus();
    Platform::Forms::Register(this);
}

void FrmSetLanguage::ShowByLanguage() {
    Combo1->clear();
    setWindowTitle(GetLangText(23000));
    Label1->setText(GetLangText(23001));
    Combo1->addItem(GetLangText(23002));
    Combo1->addItem(GetLangText(23003));
    ModFunLang::SetOKCancelCaptions(this);
}

void FrmSetLanguage::InitList() {
    // A language number the list does not hold selects the language whose
    // file is in use.
    int index = gCurrentLanguage - 1;
    if (index < 0 || index >= Combo1->count())
        index = ModFunLang::gLangFileName == QLatin1String("chinese.ini") ? 1 : 0;
    Combo1->setCurrentIndex(index);
}

void FrmSetLanguage::ApplyLanguage() {
    ModSetLanguage::ApplyLanguage(Combo1->currentIndex() + 1);
}

void FrmSetLanguage::CommandOK_Click() {
    // a language without its file would leave every window without texts
    const int chosen = Combo1->currentIndex() + 1;
    if (chosen != gCurrentLanguage && !ModFunLang::LangFileUsable(chosen)) {
        const QString file =
            chosen == 2 ? QStringLiteral("chinese.ini") : QStringLiteral("english.ini");
        Platform::MsgBox(
            ModFunLang::MissingLangFileText(
                Platform::JoinPath(
                    Platform::JoinPath(Platform::AppPath(), QStringLiteral("language")), file),
                false),
            Platform::Mb::OKOnly | Platform::Mb::Critical, GetLangText(12000));
        reject();
        return;
    }
    ApplyLanguage();
    // A failed write is reported; the language still changes for the run.
    ModSettings::SaveSetupKeys({{QStringLiteral("CurrentLanguage"), gCurrentLanguage}});
    accept();
}

void FrmSetLanguage::CommandCancel_Click() {
    reject();
}

// Enter in the list moves on to the next control instead of closing the dialog.
bool FrmSetLanguage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Combo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

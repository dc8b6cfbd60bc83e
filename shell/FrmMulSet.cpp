#include "shell/FrmMulSet.h"

#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/widgets/ModRidTextMenu.h"
#include "platform/Forms.h"
#include "shell/ShellRules.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ModFunLang::GetLangText;

namespace {
[[maybe_unused]] constexpr auto kTexts = ModFunLang::LangIds(9017, 9018);

// Caption and label by language (1 English, 2 Chinese).
const char* const kCaptions[] = {"", "Multi-Radio Write", "多台写频"};
const char* const kLabels[] = {"", "Number of radios:", "写频台数："};

QString ByLanguage(const char* const (&table)[3]) {
    const int i = gCurrentLanguage >= 1 && gCurrentLanguage <= 2 ? gCurrentLanguage : 1;
    return QString::fromUtf8(table[i]);
}
} // namespace

FrmMulSet::FrmMulSet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmMulSet"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(QStringLiteral("10"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFixedWidth(80);
    Text1->installEventFilter(this);
    Command1 = new QPushButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));
    connect(Command1, &QPushButton::clicked, this, &FrmMulSet::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmMulSet::Command2_Click);

    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(Text1);
    row->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);

    // Form_Load
    ModRidTextMenu::HookTextMenu(Text1);
    ShowByLanguage();
    Text1->setFocus();
    Platform::Forms::Register(this);
}

void FrmMulSet::ShowByLanguage() {
    setWindowTitle(ByLanguage(kCaptions));
    Label1->setText(ByLanguage(kLabels));
    Command1->setText(GetLangText(9017));
    Command2->setText(GetLangText(9018));
}

void FrmMulSet::Command1_Click() {
    // A count that is not a whole number keeps the dialog open.
    if (!ModMulSet::StartMulWrite(Text1->text())) {
        Text1->setFocus();
        Text1->selectAll();
        return;
    }
    accept();
}

void FrmMulSet::Command2_Click() {
    reject();
}

void FrmMulSet::done(int result) {
    ModRidTextMenu::UnhookTextMenu(Text1); // Form_Unload
    QDialog::done(result);
}

bool FrmMulSet::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Text1 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy) ||
        key->matches(QKeySequence::Paste))
        return true;
    int k = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ? 13 : -1;
    if (k < 0 && !key->text().isEmpty()) k = key->text().at(0).unicode();
    if (k < 0) return false; // arrows and other keys without a character
    const int kept = ModMulSet::FilterKey(k);
    if (kept == ModMulSet::kMoveOn) {
        focusNextChild();
        return true;
    }
    if (kept == ModMulSet::kDropped) return true;
    if (kept != k) {
        Text1->insert(QString(QChar(kept)));
        return true;
    }
    return false;
}

#include "pages/FeaturePage.h"

#include "data/ProgramSettings.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "platform/Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace Pages {

FeaturePage::FeaturePage(const PageSpec& pageSpec, QWidget* parent)
    : QWidget(parent), spec_(pageSpec) {
    setObjectName(QLatin1String(pageSpec.name));
    setAttribute(Qt::WA_DeleteOnClose);
    if (pageSpec.helpContext > 0) setProperty("HelpContextID", pageSpec.helpContext);
    // F1 opens the topic of the control that has the focus.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        if (gHelpOn) ShowHelpFor(QApplication::focusWidget());
    });
}

FeaturePage::~FeaturePage() {
    Platform::Forms::Unregister(this);
}

void FeaturePage::Load() {
    Platform::Forms::Register(this);
    if (CommandHelp) CommandHelp->setVisible(gHelpOn);
    if (spec_.captionsFirst) {
        ChangShowByLanguage();
        ModFunLang::SetCloseHelpCaptions(this);
        InitShowList();
    } else {
        InitShowList();
        ChangShowByLanguage();
        ModFunLang::SetCloseHelpCaptions(this);
    }
    ShowPageData();
    if (spec_.lockStep && gLock != 0) ModFun::SetControlsEnabled(this);
}

QString FeaturePage::ControlText(const QString& name, int index) const {
    for (QWidget* w : findChildren<QWidget*>(name)) {
        const QVariant i = w->property("Index");
        if (index >= 0 ? (!i.isValid() || i.toInt() != index) : i.isValid()) continue;
        if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
        if (auto* box = qobject_cast<QPlainTextEdit*>(w)) return box->toPlainText();
        if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
        if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
    }
    return {};
}

void FeaturePage::SetName(QWidget* control, const char* name, int index) {
    control->setObjectName(QLatin1String(name));
    if (index >= 0) control->setProperty("Index", index);
}

QRect FeaturePage::Twips(int left, int top, int width, int height) {
    return Platform::TwipsRect(left, top, width, height);
}

QPushButton* FeaturePage::AddCloseButton(const QRect& twips) {
    CommandClose = new QPushButton(this);
    SetName(CommandClose, "CommandClose");
    CommandClose->setGeometry(twips);
    connect(CommandClose, &QPushButton::clicked, this, [this] { Unload(); });
    return CommandClose;
}

QPushButton* FeaturePage::AddHelpButton(const QRect& twips) {
    CommandHelp = new QPushButton(this);
    SetName(CommandHelp, "CommandHelp");
    CommandHelp->setGeometry(twips);
    connect(CommandHelp, &QPushButton::clicked, this, [this] { ShowHelpFor(this); });
    return CommandHelp;
}

void FeaturePage::ShowHelpFor(const QWidget* control) const {
    int context = ModFun::HelpContextOf(control, this);
    if (context <= 0) return; // a page without a topic has nothing to open
    // the help file of the language now in use
    ModFun::OpenHelp(context);
}

void FeaturePage::Unload() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void FeaturePage::closeEvent(QCloseEvent* event) {
    event->accept();
    if (unloaded_) return;
    unloaded_ = true;
    Platform::Forms::Unregister(this);
    // closed by itself (by name, as the radio commands do): its frame goes too
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) frame->close();
}

} // namespace Pages

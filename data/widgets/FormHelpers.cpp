#include "data/widgets/FormHelpers.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

void SetControlText(QWidget* window, const char* name, qint32 textId) {
    if (!window) return;
    const QString text = ModFunLang::GetLangText(textId);
    for (QObject* child : window->findChildren<QObject*>(QString::fromLatin1(name))) {
        if (auto* button = qobject_cast<QAbstractButton*>(child))
            button->setText(text);
        else
            child->setProperty("text", text);
    }
}

QStringList ItemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

namespace ModFunLang {

void SetCloseCaption(QWidget* window) {
    SetControlText(window, "CommandClose", 9023);
}
void SetHelpCaption(QWidget* window) {
    SetControlText(window, "CommandHelp", 9025);
}
void SetCloseHelpCaptions(QWidget* window) {
    SetCloseCaption(window);
    SetHelpCaption(window);
}
void SetOKCancelCaptions(QWidget* window) {
    SetControlText(window, "CommandOK", 9017);
    SetControlText(window, "CommandCancel", 9018);
}

} // namespace ModFunLang

namespace ModFun {

void SetControlsEnabled(QWidget* window) {
    if (!window) return;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
            qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QCheckBox*>(w) ||
            qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w)) {
            // a combo's own popup list is a view too; it follows its combo
            if (qobject_cast<QComboBox*>(w->parentWidget())) continue;
            w->setEnabled(false);
        }
    }
}

QWidget* ShowChildForm(const QString& name) {
    const Platform::Forms::ChildHost& host = Platform::Forms::CurrentChildHost();
    if (auto* open = qobject_cast<QWidget*>(Platform::Forms::Find(name))) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget())) {
            if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
        } else {
            open->raise();
            open->activateWindow();
        }
        open->setFocus();
        return open;
    }
    QWidget* form = Platform::Forms::Create(name);
    if (!form) return nullptr;
    if (host.show)
        host.show(form);
    else
        form->show();
    if (host.cascade) host.cascade();
    return form;
}

void InstallWindowOps() {
    Platform::Forms::SetWindowOps(
        {[](const QString& name) -> QObject* { return ShowChildForm(name); },
         [] {
             const auto& host = Platform::Forms::CurrentChildHost();
             if (host.cascade) host.cascade();
         },
         [](const QString& name) {
             for (QObject* form : Platform::Forms::Loaded())
                 if (auto* w = qobject_cast<QWidget*>(form);
                     w && form->objectName().compare(name, Qt::CaseInsensitive) == 0)
                     w->close();
         }});
}

int HelpContextOf(const QWidget* control, const QWidget* window) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        if (const int context = w->property("HelpContextID").toInt(); context > 0) return context;
        if (w == window) break;
    }
    return 0;
}

void OpenHelp(int context) {
    static constexpr auto kTexts = ModFunLang::LangIds(9121);
    Platform::Help::SetHelpFile(ModSettings::HelpFilePath());
    auto cannotOpen = [text = ModFunLang::GetLangText(kTexts[0]) + u'\n' +
                              QDir::toNativeSeparators(Platform::Help::HelpFile())] {
        Platform::MsgBox(text, Platform::Mb::OKOnly | Platform::Mb::Exclamation);
    };
    if (!Platform::Help::ShowHelp(context, cannotOpen)) cannotOpen();
}

void UnloadFormByName(const QString& name) {
    for (QObject* obj : Platform::Forms::Loaded()) {
        if (obj->objectName().compare(name, Qt::CaseInsensitive) != 0) continue;
        auto* w = qobject_cast<QWidget*>(obj);
        if (!w) {
            Platform::Forms::Unregister(obj);
            continue;
        }
        QWidget* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget()) ? w->parentWidget() : w;
        if (!frame->close()) continue; // the window refused to unload
        Platform::Forms::Unregister(obj);
        frame->deleteLater();
    }
}

void SetCheckValue(QCheckBox* box, int& value) {
    if (value > 1) value = 0;
    box->setChecked(value != 0);
}

void GetComboIndex(QComboBox* combo, int& value) {
    if (combo->currentIndex() >= 0) value = combo->currentIndex();
}

QString FindComboItem(QComboBox* combo, const QString& text) {
    return ModFun::FindListItem(ItemsOf(combo), text);
}

QString GetComboItem(QComboBox* combo, int index) {
    return ModFun::ListItemAt(ItemsOf(combo), index);
}

void SelectComboText(QComboBox* combo, const QString& text) {
    if (combo->count() == 0) {
        combo->setCurrentIndex(-1);
        return;
    }
    combo->setCurrentIndex(
        combo->findText(FindComboItem(combo, text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void SelectComboIndex(QComboBox* combo, int index) {
    const QString item = GetComboItem(combo, index);
    if (item.isEmpty()) {
        combo->setCurrentIndex(-1);
        return;
    }
    combo->setCurrentIndex(combo->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void AddComboItemUnique(QComboBox* combo, const QString& text) {
    if (!ItemsOf(combo).contains(text)) combo->addItem(text);
}

int FindComboIndex(QComboBox* combo, const QString& text, int defaultIndex) {
    return ModFun::FindListIndex(ItemsOf(combo), text, defaultIndex);
}

} // namespace ModFun

namespace ModShowFreFun {

void FillDtmfCodeCombo(QComboBox* combo) {
    combo->clear();
    combo->addItem(ModFunLang::GetLangText(14013));
    const auto& codes = gEditData.Settings.Dtmf.Codes;
    for (std::size_t k = 0; k < codes.size(); ++k)
        if (codes[k].Len > 0) combo->addItem(QString::number(k + 1));
}

} // namespace ModShowFreFun

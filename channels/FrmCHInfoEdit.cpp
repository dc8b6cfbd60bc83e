#include "channels/FrmCHInfoEdit.h"

#include "channels/DetailRules.h"
#include "channels/GridRules.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "data/widgets/ModRidTextMenu.h"
#include "platform/Forms.h"
#include "platform/Numbers.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QValidator>

using ModFunLang::GetLangText;

namespace {

using Platform::Px;
constexpr int kRowHeight = 22;

// Keeps only the characters a frequency field takes, however the text
// arrives (keys, paste, drop, input method).
class FreqFilter final : public QValidator {
public:
    FreqFilter(int column, QObject* parent) : QValidator(parent), column_(column) {}
    State validate(QString& input, int& pos) const override {
        const QString kept = GridRules::FilterText(column_, gHabits.TxAsOffset, input.left(pos));
        input = kept + GridRules::FilterText(column_, gHabits.TxAsOffset, input.mid(pos));
        pos = static_cast<int>(kept.size());
        return Acceptable;
    }

private:
    int column_;
};

void Name(QWidget* w, const char* name, int index = -1) {
    w->setObjectName(QLatin1String(name));
    if (index >= 0) w->setProperty("Index", index);
}

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

// ---- load ----

FrmCHInfoEdit::FrmCHInfoEdit(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmCHInfoEdit"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("信道详细设置"));
    setProperty("HelpContextID", 3100);
    setFixedSize(Px(8085), Px(7170));
    BuildControls();

    Text2->setProperty("HelpContextID", gHabits.TxAsOffset ? 3103 : 3104);
    CommandHelp->setVisible(gHelpOn);
    WandToSave = true;
    ModRidTextMenu::HookTextMenu(Text1);
    ModRidTextMenu::HookTextMenu(Text2);
    InitComboList();
    ChangShowByLanguage();
    Platform::Forms::Register(this);
    gFormCHInfoEditShown = true;
    SetGridEditData(true);
    if (gLock != 0) LockTreatment();
}

FrmCHInfoEdit::~FrmCHInfoEdit() {
    Form_Unload();
}

void FrmCHInfoEdit::BuildControls() {
    Label4 = new QLabel(this);
    Name(Label4, "Label4");
    Combo4 = new QComboBox(this);
    Name(Combo4, "Combo4");
    Combo4->setGeometry(Px(2640), Px(120), Px(1815), kRowHeight);
    Combo4->setProperty("HelpContextID", 3101);
    Label1 = new QLabel(this);
    Name(Label1, "Label1");
    Combo1 = new QComboBox(this);
    Name(Combo1, "Combo1");
    Combo1->setGeometry(Px(2640), Px(480), Px(1815), kRowHeight);
    Combo1->setProperty("HelpContextID", 3101);

    Frame1 = new QFrame(this);
    Name(Frame1, "Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setGeometry(Px(240), Px(840), Px(7575), Px(5535));

    // the left column of the frame, top to bottom
    auto rowTop = [](int k) { return Px(360 + 360 * k); };
    Text1 = new QLineEdit(Frame1);
    Name(Text1, "Text1");
    Text1->setMaxLength(9);
    Text1->setValidator(new FreqFilter(GridRules::kRxCol, Text1));
    Text1->setProperty("HelpContextID", 3102);
    Text2 = new QLineEdit(Frame1);
    Name(Text2, "Text2");
    Text2->setMaxLength(9);
    Text2->setValidator(new FreqFilter(GridRules::kTxCol, Text2));
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(Frame1);
        Name(label, "Label2", i);
        Label2[static_cast<std::size_t>(i)] = label;
    }
    Text1->setGeometry(Px(2640), rowTop(0), Px(1815), kRowHeight);
    Text2->setGeometry(Px(2640), rowTop(1), Px(1815), kRowHeight);
    // lists 0..7, then 9, 8 and 10
    const int rowOfList[DetailRules::kLists] = {2, 3, 4, 5, 6, 7, 8, 9, 11, 10, 12};
    for (int i = 0; i < DetailRules::kLists; ++i) {
        auto* combo = new QComboBox(Frame1);
        Name(combo, "Combo2", i);
        combo->setGeometry(Px(2640), rowTop(rowOfList[i]), Px(1815), kRowHeight);
        combo->setProperty("HelpContextID", DetailRules::ListHelpContext(i));
        combo->installEventFilter(this);
        Combo2[static_cast<std::size_t>(i)] = combo;
        auto* label = new QLabel(Frame1);
        Name(label, "Label3", i);
        Label3[static_cast<std::size_t>(i)] = label;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, i] { Combo2_Click(i); });
    }
    for (int i = 0; i < DetailRules::kChecks; ++i) {
        auto* box = new QCheckBox(Frame1);
        Name(box, "Check1", i);
        box->setGeometry(Px(4680), rowTop(i), Px(2775), kRowHeight);
        box->setProperty("HelpContextID", DetailRules::CheckHelpContext(i));
        box->installEventFilter(this);
        Check1[static_cast<std::size_t>(i)] = box;
        connect(box, &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
    }
    Combo3 = new QComboBox(this);
    Name(Combo3, "Combo3");
    Combo3->setVisible(false);

    CommandClose = new QPushButton(this);
    Name(CommandClose, "CommandClose");
    CommandClose->setGeometry(Px(360), Px(6600), Px(1095), Px(375));
    CommandHelp = new QPushButton(this);
    Name(CommandHelp, "CommandHelp");
    CommandHelp->setGeometry(Px(1680), Px(6600), Px(1095), Px(375));
    CommandHelp->setProperty("HelpContextID", 3100);

    for (QLineEdit* t : {Text1, Text2})
        t->installEventFilter(this);
    Combo1->installEventFilter(this);

    connect(Combo4, &QComboBox::currentIndexChanged, this, &FrmCHInfoEdit::Combo4_Click);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &FrmCHInfoEdit::Combo1_Click);
    connect(Text1, &QLineEdit::textEdited, this, [this] { text1Edited_ = true; });
    connect(Text2, &QLineEdit::textEdited, this, [this] { text2Edited_ = true; });
    connect(CommandClose, &QPushButton::clicked, this, &FrmCHInfoEdit::CommandClose_Click);
    connect(CommandHelp, &QPushButton::clicked, this, [this] { ShowHelpFor(CommandHelp); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        if (gHelpOn) ShowHelpFor(QApplication::focusWidget());
    });

    // focus order
    QList<QWidget*> order = {Combo1, Text1, Text2};
    for (int i = 0; i <= 9; ++i)
        order << Combo2[static_cast<std::size_t>(i)];
    for (QCheckBox* box : Check1)
        order << box;
    order << CommandClose << CommandHelp << Combo4 << Combo2[DetailRules::kCall2List];
    for (qsizetype k = 0; k + 1 < order.size(); ++k)
        setTabOrder(order[k], order[k + 1]);
}

void FrmCHInfoEdit::InitComboList() {
    const QSignalBlocker b1(Combo1);
    const QSignalBlocker b4(Combo4);
    for (int i = 1; i <= 16; ++i)
        Combo1->addItem(QString::number(i));
    for (int i = 1; i <= 8; ++i)
        Combo4->addItem(QString::number(i));
    Combo1->setCurrentIndex(-1);
    Combo4->setCurrentIndex(-1);
    WandToSave = false;
    for (int i : {0, 1})
        Combo2[static_cast<std::size_t>(i)]->addItems(ModShowFreFun::ToneList());
    for (int i = 0; i < DetailRules::kLists; ++i)
        for (int id : DetailRules::FixedItemIds(i))
            Combo2[static_cast<std::size_t>(i)]->addItem(GetLangText(id));
    ModShowFreFun::FillDtmfCodeCombo(Combo2[DetailRules::kCall1List]);
    ModShowFreFun::FillDtmfCodeCombo(Combo2[DetailRules::kCall2List]);
    WandToSave = true;
}

void FrmCHInfoEdit::ChangShowByLanguage() {
    setWindowTitle(GetLangText(15000));
    Label4->setText(GetLangText(15029));
    Label1->setText(GetLangText(15001));
    Label2[0]->setText(GetLangText(15002));
    Label2[1]->setText(GetLangText(gHabits.TxAsOffset ? 15100 : 15003));
    for (int i = 0; i < DetailRules::kLists; ++i) {
        QString text = GetLangText(DetailRules::ListLabelId(i));
        if (i == DetailRules::kCall1List) text += QStringLiteral(" 1");
        if (i == DetailRules::kCall2List) text += QStringLiteral(" 2");
        Label3[static_cast<std::size_t>(i)]->setText(text);
    }
    for (int i = 0; i < DetailRules::kChecks; ++i)
        Check1[static_cast<std::size_t>(i)]->setText(GetLangText(15014 + i));
    AlignLabel(Label4, Combo4);
    AlignLabel(Label1, Combo1);
    AlignLabel(Label2[0], Text1);
    AlignLabel(Label2[1], Text2);
    for (std::size_t i = 0; i < Label3.size(); ++i)
        AlignLabel(Label3[i], Combo2[i]);
    Combo3->clear();
    for (int id : {15030, 15031, 15032, 15033})
        Combo3->addItem(GetLangText(id));
    ModFunLang::SetCloseHelpCaptions(this);
}

// A label sits on its control's row, its right edge 100 twips left of it.
void FrmCHInfoEdit::AlignLabel(QLabel* label, QWidget* control) {
    label->adjustSize();
    const QRect c = control->geometry();
    label->move(c.left() - label->width() - Px(100), c.top() + (c.height() - label->height()) / 2);
}

// ---- public methods ----

void FrmCHInfoEdit::ReShowEditTxFre(bool rOffSet) {
    Label2[1]->setText(GetLangText(rOffSet ? 15100 : 15003));
    AlignLabel(Label2[1], Text2);
    SetGridEditData(false);
}

QStringList FrmCHInfoEdit::BusyLockMasterList() const {
    QStringList items;
    for (int i = 0; i < Combo3->count(); ++i)
        items << Combo3->itemText(i);
    return items;
}

int FrmCHInfoEdit::PositionIndex() const {
    return Combo1->currentIndex();
}

void FrmCHInfoEdit::RefreshCodeMemoryLists() {
    for (int index : {DetailRules::kCall1List, DetailRules::kCall2List}) {
        QComboBox* list = Combo2[static_cast<std::size_t>(index)];
        const QString shown = list->currentText();
        const bool chosen = list->currentIndex() >= 0;
        const QSignalBlocker quiet(list);
        ModShowFreFun::FillDtmfCodeCombo(list);
        list->setCurrentIndex(chosen ? list->findText(shown) : -1);
    }
}

void FrmCHInfoEdit::ShowBusyLockChoices(const QStringList& items, int shown) {
    if (filling_ == 0) {
        // asked for another part's channel: the shown channel's list stays,
        // and so does the writing of this window's choices
        WandToSave = true;
        return;
    }
    QComboBox* busy = Combo2[DetailRules::kBusyList];
    WandToSave = false;
    busy->clear();
    busy->addItems(items);
    const int index = shown >= 0 && shown < busy->count() ? shown : -1;
    busy->setCurrentIndex(index);
    Combo3->setCurrentIndex(index);
}

void FrmCHInfoEdit::SetGridEditData(bool rIsGridChange) {
    ++filling_;
    WandToSave = false;
    if (rIsGridChange) {
        Combo4->setCurrentIndex(std::clamp(gEditGroup, 0, 7));
        Combo1->setCurrentIndex(std::clamp(gEditRow - 1, 0, 15));
    } else {
        if (Combo4->currentIndex() < 0) Combo4->setCurrentIndex(std::clamp(gEditGroup, 0, 7));
        if (Combo4->currentIndex() != gEditGroup) {
            gEditGroup = Combo4->currentIndex();
            if (auto* grid = Views::ShownGrid()) grid->ChangeGroup();
            WandToSave = false;
        }
        if (Combo1->currentIndex() < 0) Combo1->setCurrentIndex(0);
        gEditRow = Combo1->currentIndex() + 1;
    }
    const int number = Position() + Group() * 16;
    if (ModShowFreFun::FindChannelIndex(number) >= 0)
        ShowPresent(number);
    else
        ShowAbsent();
    text1Edited_ = false;
    text2Edited_ = false;
    shownText1_ = Text1->text();
    shownText2_ = Text2->text();
    --filling_;
    WandToSave = true;
    // under Lock the channels can be browsed, not changed
    if (gLock != 0) LockTreatment();
}

void FrmCHInfoEdit::ShowPresent(int number) {
    const TChannel ch =
        gEditData.Channels[static_cast<std::size_t>(ModShowFreFun::FindChannelIndex(number))];
    const QString rx = ch.RxFreq.Text();
    Text1->setEnabled(true);
    Text1->setText(ModShowFreFun::FreqCodeToText(rx));
    Text2->setEnabled(true);
    Text2->setText(
        ModShowFreFun::TxFreqDisplay(rx, ch.Offset.Text(), ch.OffsetDir, gHabits.TxAsOffset));

    auto select = [](QComboBox* combo, int value) {
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
    };
    const qint16 values[] = {ch.RxTone,    ch.TxTone, ch.TxPower,
                             ch.OptSignal, ch.PttId,  ch.Bandwidth};
    for (int i = 0; i < 6; ++i) {
        QComboBox* combo = Combo2[static_cast<std::size_t>(i)];
        combo->setEnabled(true);
        WandToSave = false;
        if (i < 2) {
            combo->setItemText(0, GetLangText(15030));
        } else {
            const QList<int> ids = DetailRules::FixedItemIds(i);
            for (int k = 0; k < ids.size(); ++k)
                combo->setItemText(k, GetLangText(ids[k]));
        }
        select(combo, values[i]);
    }

    Combo2[DetailRules::kBusyList]->setEnabled(true);
    ModShowFreFun::UpdateChannelOptionList(number);

    QComboBox* selector = Combo2[DetailRules::kSelectorList];
    selector->setEnabled(true);
    WandToSave = false;
    selector->setItemText(0, GetLangText(15034));
    selector->setItemText(1, GetLangText(15035));
    select(selector, ch.InvTalkSelect);

    for (int i : {DetailRules::kCall1List, DetailRules::kCall2List}) {
        QComboBox* combo = Combo2[static_cast<std::size_t>(i)];
        combo->setEnabled(true);
        WandToSave = false;
        combo->setItemText(0, GetLangText(14013));
        // a call of a memory that is empty now shows no item and stays stored
        const int v = i == DetailRules::kCall1List ? ch.Call1 : ch.Call2;
        combo->setCurrentIndex(v != 0 ? combo->findText(QString::number(v)) : 0);
    }

    QComboBox* relation = Combo2[DetailRules::kRelationList];
    relation->setEnabled(true);
    WandToSave = false;
    relation->setItemText(0, GetLangText(15050));
    relation->setItemText(1, GetLangText(15051));
    select(relation, ch.SignalRelation);

    const qint16 checks[] = {ch.ScanSkip,  ch.Scramble, ch.TxInhibit, ch.Talkaround,
                             ch.Inversion, ch.Whisper,  ch.Compander};
    for (int i = 0; i < DetailRules::kChecks; ++i) {
        QCheckBox* box = Check1[static_cast<std::size_t>(i)];
        box->setEnabled(true);
        WandToSave = false;
        box->setChecked(checks[i] != 0);
    }
    const bool inversionSide = selector->currentIndex() == 0;
    Check1[4]->setEnabled(inversionSide);
    Check1[3]->setEnabled(!inversionSide);
}

void FrmCHInfoEdit::ShowAbsent() {
    Text1->setEnabled(true);
    Text1->clear();
    Text2->clear();
    Text2->setEnabled(false);
    for (QComboBox* combo : Combo2) {
        WandToSave = false;
        if (combo->count() == 0) combo->addItem(QString());
        combo->setItemText(0, QStringLiteral(" "));
        combo->setCurrentIndex(0);
        combo->setEnabled(false);
    }
    for (QCheckBox* box : Check1) {
        WandToSave = false;
        box->setChecked(false);
        box->setEnabled(false);
    }
}

void FrmCHInfoEdit::LockTreatment() {
    ModFun::SetControlsEnabled(this);
    Combo4->setEnabled(true);
    Combo1->setEnabled(true);
}

int FrmCHInfoEdit::Group() const {
    return std::max(0, Combo4->currentIndex());
}

int FrmCHInfoEdit::Position() const {
    return std::max(0, Combo1->currentIndex()) + 1;
}

// ---- control events ----

void FrmCHInfoEdit::Combo4_Click() {
    if (Combo4->currentIndex() < 0 || Combo4->currentIndex() == gEditGroup) return;
    SetGridEditData(false);
    if (gLock != 0) LockTreatment();
}

void FrmCHInfoEdit::Combo1_Click() {
    if (Combo1->currentIndex() < 0 || Combo1->currentIndex() + 1 == gEditRow) return;
    SetGridEditData(false);
    if (gLock != 0) LockTreatment();
}

void FrmCHInfoEdit::Combo2_Click(int index) {
    if (!WandToSave) return;
    if (!DetailRules::ShowsItem(Combo2[static_cast<std::size_t>(index)]->currentText())) return;
    WriteList(index);
}

// Leaving a list writes only a choice that the channel does not hold yet.
void FrmCHInfoEdit::Combo2_Validate(int index) {
    if (!DetailRules::ShowsItem(Combo2[static_cast<std::size_t>(index)]->currentText())) return;
    if (ListDiffersFromStored(index)) WriteList(index);
}

bool FrmCHInfoEdit::ListDiffersFromStored(int index) const {
    const QComboBox* combo = Combo2[static_cast<std::size_t>(index)];
    const int at = ModShowFreFun::FindChannelIndex(Position() + Group() * 16);
    if (combo->currentIndex() < 0 || at < 0) return false;
    const int value = DetailRules::ListValue(index, combo->currentIndex(), combo->currentText(),
                                             BusyLockMasterList());
    return value !=
           DetailRules::StoredListValue(gEditData.Channels[static_cast<std::size_t>(at)], index);
}

void FrmCHInfoEdit::WriteList(int index) {
    QComboBox* combo = Combo2[static_cast<std::size_t>(index)];
    if (combo->currentIndex() < 0) return;
    const QString shown = combo->currentText();
    if (index == DetailRules::kBusyList) Combo3->setCurrentIndex(Combo3->findText(shown));
    const int value =
        DetailRules::ListValue(index, combo->currentIndex(), shown, BusyLockMasterList());
    ModShowFreFun::SetChannelCell(Group(), Position(), DetailRules::ListFieldId(index),
                                  QString::number(value));
}

void FrmCHInfoEdit::Check1_Click(int index) {
    if (!WandToSave) return;
    const bool checked = Check1[static_cast<std::size_t>(index)]->isChecked();
    ModShowFreFun::SetChannelCell(Group(), Position(), DetailRules::CheckFieldId(index),
                                  checked ? QStringLiteral("1") : QStringLiteral("0"));
}

void FrmCHInfoEdit::Text1_Validate() {
    if (!text1Edited_) return;
    text1Edited_ = false;
    ModShowFreFun::SetChannelCell(Group(), Position(), 1, GridRules::FormatFreqText(Text1->text()));
    SetGridEditData(false);
}

void FrmCHInfoEdit::Text2_Validate() {
    if (!text2Edited_) return;
    text2Edited_ = false;
    const QString text = Text2->text();
    if (Platform::IsNumeric(text)) ModShowFreFun::SetChannelCell(Group(), Position(), 2, text);
    SetGridEditData(false);
}

void FrmCHInfoEdit::Text_FocusIn(QLineEdit* text) {
    if (text == Text2 && Text2->text().isEmpty() && Text2->isEnabled()) {
        Text2->setText(Text1->text());
        text2Edited_ = !Text2->text().isEmpty();
    }
    if (!text->text().isEmpty()) QTimer::singleShot(0, text, &QLineEdit::selectAll);
}

void FrmCHInfoEdit::ValidateControls() {
    // a typed frequency is written wherever the focus went since; an edit
    // that ends where it began writes nothing
    const bool offset = gHabits.TxAsOffset;
    if (text1Edited_ &&
        !GridRules::SameValue(GridRules::kRxCol, offset, Text1->text(), shownText1_)) {
        Text1_Validate();
        return;
    }
    if (text2Edited_ &&
        !GridRules::SameValue(GridRules::kTxCol, offset, Text2->text(), shownText2_)) {
        Text2_Validate();
        return;
    }
    QWidget* focused = focusWidget();
    for (std::size_t i = 0; i < Combo2.size(); ++i)
        if (focused == Combo2[i] && Combo2[i]->isEnabled()) Combo2_Validate(static_cast<int>(i));
}

bool FrmCHInfoEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // the frequency fields take no copy, cut or paste by keys
        if ((watched == Text1 || watched == Text2) &&
            (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
             key->matches(QKeySequence::Paste)))
            return true;
        if (IsEnter(key) && watched != Combo4) {
            if (watched == Text1) Text1_Validate();
            if (watched == Text2) Text2_Validate();
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == Text1 || watched == Text2) Text_FocusIn(static_cast<QLineEdit*>(watched));
    } else if (event->type() == QEvent::FocusOut) {
        // validation when the focus moves to another control of this window;
        // not when it goes to another window, a menu or a popup
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason && next && next != watched && isAncestorOf(next)) {
            if (watched == Text1) {
                Text1_Validate();
            } else if (watched == Text2) {
                Text2_Validate();
            } else {
                for (std::size_t i = 0; i < Combo2.size(); ++i)
                    if (watched == Combo2[i]) Combo2_Validate(static_cast<int>(i));
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmCHInfoEdit::ShowHelpFor(const QWidget* control) const {
    int context = ModFun::HelpContextOf(control, this);
    if (context <= 0) return;
    ModFun::OpenHelp(context);
}

// ---- closing ----

void FrmCHInfoEdit::CommandClose_Click() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

// A fixed dialog border: no minimise or maximise button on the frame.
void FrmCHInfoEdit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        const Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint |
                                      Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                      Qt::WindowSystemMenuHint;
        if (frame->windowFlags() != flags) frame->setWindowFlags(flags);
        if (!frameConnected_) {
            frameConnected_ = true;
            // another window of the main window takes over (not a dialog or
            // another program): a typed frequency is written before that
            // window can change the channel table
            connect(frame, &QMdiSubWindow::windowStateChanged, this,
                    [this](Qt::WindowStates before, Qt::WindowStates now) {
                        if (before.testFlag(Qt::WindowActive) && !now.testFlag(Qt::WindowActive) &&
                            window()->isActiveWindow() && !unloaded_)
                            ValidateControls();
                    });
        }
    }
}

void FrmCHInfoEdit::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FrmCHInfoEdit::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    ValidateControls();
    ModRidTextMenu::UnhookTextMenu(Text1);
    ModRidTextMenu::UnhookTextMenu(Text2);
    gFormCHInfoEditShown = false;
    Platform::Forms::Unregister(this);
}

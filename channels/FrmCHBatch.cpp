#include "channels/FrmCHBatch.h"

#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/ProgramSettings.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "data/widgets/FormHelpers.h"
#include "platform/Forms.h"
#include "platform/Numbers.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>

using ModFunLang::GetLangText;

namespace {

using Platform::Px;
constexpr auto Twips = Platform::TwipsRect;

template <typename W> W* Make(QWidget* parent, const char* name, int index, const QRect& r) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    if (index >= 0) w->setProperty("Index", index);
    w->setGeometry(r);
    return w;
}

// Item byte -> its box in Check2, its heading in Label3 (-1: none).
constexpr int kBoxIndex[] = {0,  1,  2,  3,  6,  7,  8,  9,  10, 11,
                             13, 12, 21, 14, 15, 16, 17, 18, 19, 20};
constexpr int kHeadingIndex[] = {0,  1,  2,  3,  6,  7,  8,  9,  10, 11,
                                 13, 12, 14, -1, -1, -1, -1, -1, -1, -1};
// Item bytes 4..12 -> their list in Combo1.
constexpr int kListIndex[] = {2, 3, 4, 5, 6, 7, 9, 8, 10};
// The lists on the right of the values frame, top to bottom, by item byte.
constexpr int kRightColumn[] = {4, 5, 6, 7, 8, 9, 10, 11, 12};

int ListOfItem(int item) {
    return kListIndex[item - 4];
}

QString ItemText(int item) {
    if (item == 11) return GetLangText(29022) + QStringLiteral(" 1");
    if (item == 12) return GetLangText(29022) + QStringLiteral(" 2");
    return GetLangText(29010 + kBoxIndex[item]);
}

void SetItems(QComboBox* combo, std::initializer_list<int> texts) {
    combo->clear();
    for (int t : texts)
        combo->addItem(GetLangText(t));
}

} // namespace

FrmCHBatch::FrmCHBatch(QWidget* parent) : QDialog(parent) {
    // A frequency typed in the detail editor is written before Apply can
    // change (and the editor then re-show) the channel it was typed for.
    Platform::Forms::Validate(
        Platform::Forms::Find(QLatin1String(Views::ChannelEditor::kFormName)));
    setObjectName(QStringLiteral("FrmCHBatch"));
    setProperty("HelpContextID", 3900);
    setFixedSize(Px(9630), Px(7830));
    BuildControls();
    Platform::Forms::Register(this);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        if (gHelpOn) ShowHelpFor(QApplication::focusWidget());
    });

    // Form_Load
    ShowItemFrame = false;
    InitShowList();
    ChangShowByLanguage();
    SetShowData();
}

FrmCHBatch::~FrmCHBatch() {
    Platform::Forms::Unregister(this);
}

void FrmCHBatch::BuildControls() {
    Label1 = Make<QLabel>(this, "Label1", -1, Twips(120, 150, 900, 300));
    for (int i = 0; i < 2; ++i) {
        Option1[i] = Make<QRadioButton>(this, "Option1", i,
                                        Twips(1000 + 1500 * i, 130, 1500 + 250 * i, 300));
        Option1[i]->setProperty("HelpContextID", 3901);
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Option1_Click(i);
        });
    }
    Text1[0] = Make<QLineEdit>(this, "Text1", 0, Twips(4300, 120, 550, 300));
    Label2 = Make<QLabel>(this, "Label2", -1, Twips(4900, 150, 350, 300));
    Label2->setAlignment(Qt::AlignCenter);
    Text1[1] = Make<QLineEdit>(this, "Text1", 1, Twips(5300, 120, 550, 300));
    for (int i = 0; i < 2; ++i) {
        Text1[i]->setMaxLength(3);
        Text1[i]->setText(i == 0 ? QStringLiteral("1") : QStringLiteral("128"));
        Text1[i]->setProperty("HelpContextID", 3901);
        Text1[i]->installEventFilter(this);
        connect(Text1[i], &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
    }
    Label5 = Make<QLabel>(this, "Label5", -1, Twips(120, 500, 6000, 300));
    CommandFun = Make<QPushButton>(this, "CommandFun", -1, Twips(6300, 100, 1900, 380));
    CommandFun->setProperty("HelpContextID", 3902);
    connect(CommandFun, &QPushButton::clicked, this, [this] { CommandFun_Click(); });
    Check4 = Make<QCheckBox>(this, "Check4", -1, Twips(5600, 520, 3950, 300));
    Check4->setProperty("HelpContextID", 3901);

    Frame1 = Make<QGroupBox>(this, "Frame1", -1, Twips(120, 900, 9390, 6300));
    Frame1->setProperty("HelpContextID", 3903);
    Frame2 = Make<QGroupBox>(this, "Frame2", -1, Twips(120, 900, 9390, 6300));
    Frame2->setProperty("HelpContextID", 3902);
    BuildValuesFrame();
    BuildItemFrame();

    CommandApply = Make<QPushButton>(this, "CommandApply", -1, Twips(6200, 7320, 1500, 400));
    CommandApply->setProperty("HelpContextID", 3904);
    CommandApply->setAutoDefault(false);
    connect(CommandApply, &QPushButton::clicked, this, [this] { CommandApply_Click(); });
    CommandClose = Make<QPushButton>(this, "CommandClose", -1, Twips(7900, 7320, 1500, 400));
    CommandClose->setAutoDefault(false);
    connect(CommandClose, &QPushButton::clicked, this, [this] { close(); });
    CommandFun->setAutoDefault(false);
}

void FrmCHBatch::BuildValuesFrame() {
    QWidget* f = Frame1;
    const auto pair = [this, f](int frame, const QRect& where,
                                std::array<QRadioButton*, 2>& options, const char* name,
                                bool vertical) {
        Frame3[frame] = Make<QFrame>(f, "Frame3", frame, where);
        for (int i = 0; i < 2; ++i) {
            const QRect r = vertical ? Twips(0, 340 * i, where.width() * 15, 300)
                                     : Twips(1400 * i, 0, 1350, 300);
            options[i] = Make<QRadioButton>(Frame3[frame], name, i, r);
        }
    };
    const auto text2 = [this, f](int i, const QRect& r, int length) {
        Text2[i] = Make<QLineEdit>(f, "Text2", i, r);
        Text2[i]->setMaxLength(length);
        Text2[i]->installEventFilter(this);
        connect(Text2[i], &QLineEdit::textChanged, this, [this, i] { Text2_Change(i); });
    };
    for (int i = 0; i < 7; ++i)
        Label4[i] = Make<QLabel>(f, "Label4", i, Twips(120, 0, 1200, 300));

    // receive frequency
    Label3[0] = Make<QLabel>(f, "Label3", 0, Twips(120, 100, 2400, 270));
    text2(0, Twips(2700, 380, 1100, 300), 9);
    text2(1, Twips(2700, 710, 1100, 300), 6);
    pair(0, Twips(3950, 380, 1500, 650), Option2, "Option2", true);

    // transmit frequency
    Label3[1] = Make<QLabel>(f, "Label3", 1, Twips(120, 1080, 2400, 270));
    for (int i = 0; i < 3; ++i) {
        Option3[i] = Make<QRadioButton>(f, "Option3", i, Twips(120, 1360 + 320 * i, 1750, 300));
        connect(Option3[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Option3_Click(i);
        });
    }
    text2(2, Twips(2000, 1680, 1100, 300), 8);
    pair(1, Twips(3200, 1680, 1300, 300), Option4, "Option4", false);
    Option4[0]->setGeometry(Twips(0, 0, 640, 300));
    Option4[1]->setGeometry(Twips(660, 0, 640, 300));
    text2(3, Twips(2000, 2000, 1100, 300), 9);
    text2(4, Twips(4600, 2000, 700, 300), 6);
    pair(2, Twips(2000, 2320, 2800, 300), Option5, "Option5", false);

    // receive and transmit tones
    for (int side = 0; side < 2; ++side) {
        const int top = 2700 + 1000 * side;
        Label3[2 + side] = Make<QLabel>(f, "Label3", 2 + side, Twips(120, top, 2400, 270));
        Combo1[side] = Make<QComboBox>(f, "Combo1", side, Twips(1400, top + 290, 1100, 300));
        text2(5 + side, Twips(3500, top + 290, 500, 300), 2);
        pair(3 + side, Twips(4100, top + 290, 1450, 650), side == 0 ? Option9 : Option10,
             side == 0 ? "Option9" : "Option10", true);
        Check3[side] = Make<QCheckBox>(f, "Check3", side, Twips(120, top + 620, 1400, 300));
    }
    Check3[2] = Make<QCheckBox>(f, "Check3", 2, Twips(1600, 4320, 2400, 300));
    for (int i = 0; i < 3; ++i)
        connect(Check3[i], &QCheckBox::toggled, this, [this, i] { Check3_Click(i); });

    // the option boxes in two columns
    for (int i = 0; i < 7; ++i)
        Check1[i] = Make<QCheckBox>(f, "Check1", i,
                                    Twips(120 + 2700 * (i / 4), 4750 + 300 * (i % 4), 2600, 300));

    Line1 = Make<QFrame>(f, "Line1", -1, Twips(5700, 200, 30, 5950));
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Sunken);

    // the lists on the right
    for (int row = 0; row < 9; ++row) {
        const int item = kRightColumn[row];
        const int top = 200 + 660 * row;
        Label3[kHeadingIndex[item]] =
            Make<QLabel>(f, "Label3", kHeadingIndex[item], Twips(5900, top, 3300, 270));
        Combo1[ListOfItem(item)] =
            Make<QComboBox>(f, "Combo1", ListOfItem(item), Twips(5900, top + 280, 3300, 300));
    }

    // the value controls of each item
    itemControls_[0] = {Label3[0], Text2[0], Text2[1], Frame3[0], Label4[0], Label4[1]};
    itemControls_[1] = {Label3[1], Option3[0], Option3[1], Option3[2], Text2[2],
                        Frame3[1], Text2[3],   Text2[4],   Frame3[2],  Label4[2]};
    itemControls_[2] = {Label3[2], Combo1[0], Text2[5], Frame3[3], Check3[0], Label4[3], Label4[4]};
    itemControls_[3] = {Label3[3], Combo1[1], Text2[6],  Frame3[4],
                        Check3[1], Check3[2], Label4[5], Label4[6]};
    for (int item = 4; item <= 12; ++item)
        itemControls_[item] = {Label3[kHeadingIndex[item]], Combo1[ListOfItem(item)]};
    for (int item = 13; item < ModBatch::kBatchItemCount; ++item)
        itemControls_[item] = {Check1[item - 13]};
}

void FrmCHBatch::BuildItemFrame() {
    for (int item = 0; item < ModBatch::kBatchItemCount; ++item) {
        const bool left = item <= 3 || item >= 13;
        const int row = item <= 3 ? item : (item >= 13 ? item - 9 : item - 4);
        const int box = kBoxIndex[item];
        Check2[box] = Make<QCheckBox>(Frame2, "Check2", box,
                                      Twips(left ? 300 : 4800, 350 + 450 * row, 4200, 300));
        connect(Check2[box], &QCheckBox::toggled, this, [this, box] { Check2_Click(box); });
    }
    CommandSelAll = Make<QPushButton>(Frame2, "CommandSelAll", -1, Twips(300, 5600, 1600, 400));
    CommandSelNone = Make<QPushButton>(Frame2, "CommandSelNone", -1, Twips(2100, 5600, 1600, 400));
    CommandSelAll->setAutoDefault(false);
    CommandSelNone->setAutoDefault(false);
    connect(CommandSelAll, &QPushButton::clicked, this, [this] { CommandSelAll_Click(); });
    connect(CommandSelNone, &QPushButton::clicked, this, [this] { CommandSelNone_Click(); });
}

void FrmCHBatch::InitShowList() {
    for (int i = 0; i < 2; ++i) {
        if (Combo1[i]->count() == 0) Combo1[i]->addItems(ModShowFreFun::ToneList());
        Combo1[i]->setItemText(0, GetLangText(15030));
    }
    SetItems(Combo1[2], {15044, 15045, 15046});
    SetItems(Combo1[3], {15030, 15043});
    SetItems(Combo1[4], {15030, 15037, 15038, 15039});
    SetItems(Combo1[5], {15040, 15041, 15042});
    SetItems(Combo1[6], {15030, 15031, 15032, 15033});
    SetItems(Combo1[7], {15034, 15035});
    ModShowFreFun::FillDtmfCodeCombo(Combo1[8]);
    SetItems(Combo1[9], {15050, 15051});
    ModShowFreFun::FillDtmfCodeCombo(Combo1[10]);
}

void FrmCHBatch::ChangShowByLanguage() {
    setWindowTitle(GetLangText(29000));
    Label1->setText(GetLangText(29001));
    Option1[0]->setText(GetLangText(29002));
    Option1[1]->setText(GetLangText(29003));
    Label2->setText(GetLangText(29004));
    CommandApply->setText(GetLangText(29007));
    CommandClose->setText(GetLangText(29008));
    Label5->setText(GetLangText(29009));
    for (int item = 0; item < ModBatch::kBatchItemCount; ++item) {
        Check2[kBoxIndex[item]]->setText(ItemText(item));
        if (kHeadingIndex[item] >= 0) Label3[kHeadingIndex[item]]->setText(ItemText(item));
    }
    for (int i = 0; i < 7; ++i)
        Check1[i]->setText(GetLangText(29024 + i));
    for (auto* options : {&Option2, &Option5, &Option9, &Option10}) {
        (*options)[0]->setText(GetLangText(29040));
        (*options)[1]->setText(GetLangText(29041));
    }
    Option4[0]->setText(GetLangText(29042));
    Option4[1]->setText(GetLangText(29043));
    Check3[0]->setText(GetLangText(29044));
    Check3[1]->setText(GetLangText(29044));
    CommandSelAll->setText(GetLangText(29045));
    CommandSelNone->setText(GetLangText(29046));
    Label4[0]->setText(GetLangText(29050));
    Option3[2]->setText(GetLangText(29050));
    Label4[1]->setText(GetLangText(29051));
    Option3[0]->setText(GetLangText(29052));
    Check3[2]->setText(GetLangText(29052));
    Option3[1]->setText(GetLangText(29053));
    Label4[2]->setText(GetLangText(29054));
    Label4[3]->setText(GetLangText(29055));
    Label4[5]->setText(GetLangText(29055));
    Label4[4]->setText(GetLangText(29056));
    Label4[6]->setText(GetLangText(29056));
    Check4->setText(GetLangText(29099));

    Frame1->setVisible(!ShowItemFrame);
    Frame2->setVisible(ShowItemFrame);
    CommandFun->setText(GetLangText(ShowItemFrame ? 29006 : 29005));

    // each field label ends just before its input
    const std::pair<QLabel*, QWidget*> labels[] = {{Label4[0], Text2[0]}, {Label4[1], Text2[1]},
                                                   {Label4[2], Text2[4]}, {Label4[3], Combo1[0]},
                                                   {Label4[4], Text2[5]}, {Label4[5], Combo1[1]},
                                                   {Label4[6], Text2[6]}};
    for (auto [label, input] : labels) {
        label->adjustSize();
        label->move(input->x() - label->width() - Px(100),
                    input->y() + (input->height() - label->height()) / 2);
    }
}

void FrmCHBatch::ShowItem(int item) {
    const bool shown = gBatchFunFlags[static_cast<std::size_t>(item)] != 0;
    for (QWidget* w : itemControls_[static_cast<std::size_t>(item)])
        w->setVisible(shown);
}

void FrmCHBatch::ShowBatchFun() {
    for (int item = 0; item < ModBatch::kBatchItemCount; ++item)
        ShowItem(item);
}

void FrmCHBatch::SetShowData() {
    for (int item = 0; item < ModBatch::kBatchItemCount; ++item)
        Check2[kBoxIndex[item]]->setChecked(
            ModBatch::FlagToBool(gBatchFunFlags[static_cast<std::size_t>(item)]) == 1);
    ShowBatchFun();
    const QString low = Platform::FormatFixed(gBandLimits[0], 5);
    Text2[0]->setText(low);
    Text2[3]->setText(low);
    Text2[1]->setText(QStringLiteral("0"));
    Text2[2]->setText(QStringLiteral("0.00000"));
    for (int i : {4, 5, 6})
        Text2[i]->setText(QStringLiteral("0"));
    Check3[2]->setChecked(true);
    for (auto* option :
         {Option1[0], Option2[0], Option3[0], Option4[0], Option5[0], Option9[0], Option10[0]})
        option->setChecked(true);
    for (QComboBox* combo : Combo1)
        combo->setCurrentIndex(0);
}

QString FrmCHBatch::DefaultData(const QString& rData, const QString& rDef) {
    return BatchRules::DefaultData(rData, rDef);
}

double FrmCHBatch::StepDataFre(double rData) {
    return BatchRules::StepDataFre(rData);
}

QString FrmCHBatch::StepDataFree(const QString& rData) {
    return BatchRules::StepDataFree(rData);
}

QString FrmCHBatch::StepData(const QString& rData) {
    return BatchRules::StepData(rData);
}

void FrmCHBatch::Check2_Click(int index) {
    int item = -1;
    for (int i = 0; i < ModBatch::kBatchItemCount; ++i)
        if (kBoxIndex[i] == index) item = i;
    if (item < 0) return;
    gBatchFunFlags[static_cast<std::size_t>(item)] = Check2[index]->isChecked() ? 1 : 0;
    ShowItem(item);
    ModBatch::SaveBatchFlags(); // a failure is not reported; the flag keeps its value
}

void FrmCHBatch::Option1_Click(int index) {
    const bool range = index == 1;
    Text1[0]->setEnabled(range);
    Text1[1]->setEnabled(range);
    Check4->setEnabled(range);
}

void FrmCHBatch::Option3_Click(int index) {
    const bool offset = index == 1;
    const bool start = index == 2;
    Text2[2]->setEnabled(offset);
    for (auto* o : Option4)
        o->setEnabled(offset);
    Text2[3]->setEnabled(start);
    Text2[4]->setEnabled(start);
    for (auto* o : Option5)
        o->setEnabled(start);
}

void FrmCHBatch::Check3_Click(int index) {
    const auto setToneInputs = [this](int side, bool enabled) {
        Combo1[side]->setEnabled(enabled);
        Text2[5 + side]->setEnabled(enabled);
        for (auto* o : side == 0 ? Option9 : Option10)
            o->setEnabled(enabled);
    };
    if (index == 0) {
        setToneInputs(0, !Check3[0]->isChecked());
    } else if (index == 1) {
        setToneInputs(1, !Check3[1]->isChecked());
    } else if (Check3[2]->isChecked()) {
        Check3[1]->setEnabled(false);
        setToneInputs(1, false);
    } else {
        Check3[1]->setEnabled(true);
        if (!Check3[1]->isChecked()) setToneInputs(1, true);
    }
}

void FrmCHBatch::Text1_Change(int index) {
    const QString text = BatchRules::RangeBoxText(Text1[index]->text());
    if (text != Text1[index]->text()) Text1[index]->setText(text);
}

void FrmCHBatch::Text2_Change(int index) {
    if (index != 1 && index != 4) return;
    const QString text = BatchRules::StepBoxText(Text2[index]->text());
    if (text != Text2[index]->text()) Text2[index]->setText(text);
}

void FrmCHBatch::Text2_LostFocus(int index) {
    const QString text = BatchRules::LeaveText(index, Text2[index]->text());
    if (text != Text2[index]->text()) Text2[index]->setText(text);
}

void FrmCHBatch::CommandFun_Click() {
    ShowItemFrame = !ShowItemFrame;
    Frame2->setVisible(ShowItemFrame);
    Frame1->setVisible(!ShowItemFrame);
    CommandFun->setText(GetLangText(ShowItemFrame ? 29006 : 29005));
}

void FrmCHBatch::CommandSelAll_Click() {
    for (QCheckBox* box : Check2)
        if (box) box->setChecked(true);
}

void FrmCHBatch::CommandSelNone_Click() {
    for (QCheckBox* box : Check2)
        if (box) box->setChecked(false);
}

BatchInput FrmCHBatch::ReadInput() const {
    BatchInput in;
    in.allChannels = Option1[0]->isChecked();
    in.first = Text1[0]->text();
    in.last = Text1[1]->text();
    in.deleteOutside = Check4->isChecked();
    in.rxStart = Text2[0]->text();
    in.rxStep = Text2[1]->text();
    in.rxUp = Option2[0]->isChecked();
    in.txMode = Option3[1]->isChecked()   ? BatchInput::TxOffset
                : Option3[2]->isChecked() ? BatchInput::TxStartFreq
                                          : BatchInput::TxDefault;
    in.offset = Text2[2]->text();
    in.offsetSign = Option4[0]->isChecked() ? 2 : (Option4[1]->isChecked() ? 1 : 0);
    in.txStart = Text2[3]->text();
    in.txStep = Text2[4]->text();
    in.txUp = Option5[0]->isChecked();
    in.rxToneStart = Combo1[0]->currentIndex();
    in.rxToneStep = Text2[5]->text();
    in.rxToneUp = Option9[0]->isChecked();
    in.rxRandom = Check3[0]->isChecked();
    in.txToneStart = Combo1[1]->currentIndex();
    in.txToneStep = Text2[6]->text();
    in.txToneUp = Option10[0]->isChecked();
    in.txRandom = Check3[1]->isChecked();
    in.txSame = Check3[2]->isChecked();
    for (int item = 4; item <= 12; ++item) {
        const QComboBox* list = Combo1[ListOfItem(item)];
        int value = std::max(0, list->currentIndex());
        if ((item == 11 || item == 12) && value > 0)
            value = static_cast<int>(Platform::Val(list->currentText()));
        in.values[static_cast<std::size_t>(item)] = value;
    }
    for (int item = 13; item < ModBatch::kBatchItemCount; ++item)
        in.values[static_cast<std::size_t>(item)] = Check1[item - 13]->isChecked() ? 1 : 0;
    return in;
}

void FrmCHBatch::CommandApply_Click() {
    // the boxes of the chosen items show what Apply works with
    const auto on = [](int item) { return gBatchFunFlags[static_cast<std::size_t>(item)] != 0; };
    if (on(0)) {
        Text2_LostFocus(0);
        Text2_LostFocus(1);
    }
    if (on(1)) {
        if (Option3[1]->isChecked()) Text2_LostFocus(2);
        if (Option3[2]->isChecked()) {
            Text2_LostFocus(3);
            Text2_LostFocus(4);
        }
    }
    if (on(2)) Text2_LostFocus(5);
    if (on(3)) Text2_LostFocus(6);
    BatchApply(random_).Run(ReadInput());
}

void FrmCHBatch::ShowHelpFor(const QWidget* control) const {
    int context = ModFun::HelpContextOf(control, this);
    if (context <= 0) context = 3900;
    ModFun::OpenHelp(context);
}

bool FrmCHBatch::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QDialog::eventFilter(watched, event);
    const bool isText2 = box->objectName() == QLatin1String("Text2");
    const int index = box->property("Index").toInt();
    if (event->type() == QEvent::FocusIn && isText2) {
        if (!box->text().isEmpty()) QTimer::singleShot(0, box, [box] { box->selectAll(); });
    } else if (event->type() == QEvent::FocusOut && isText2) {
        Text2_LostFocus(index);
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (isText2) Text2_LostFocus(index);
            focusNextChild();
            return true;
        }
        if (key->modifiers() & Qt::ControlModifier) {
            return key->key() == Qt::Key_X || key->key() == Qt::Key_V || key->key() == Qt::Key_C;
        }
        const QString text = key->text();
        if (text.isEmpty()) return false;
        const char16_t c = text.at(0).unicode();
        if (c > 127) return true;
        if (c >= 32 && c <= 126) {
            const bool digitsOnly = !isText2 || index >= 5;
            const bool allowed = (c >= u'0' && c <= u'9') || (!digitsOnly && c == u'.');
            return !allowed;
        }
    } else if (event->type() == QEvent::ShortcutOverride) {
        // Ctrl+C, Ctrl+V and Ctrl+X reach the key rule above, not the box's own copy and paste
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & Qt::ControlModifier) &&
            (key->key() == Qt::Key_X || key->key() == Qt::Key_V || key->key() == Qt::Key_C)) {
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

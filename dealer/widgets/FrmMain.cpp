#include "dealer/widgets/FrmMain.h"

#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/widgets/FormHelpers.h"
#include "dealer/DealerTexts.h"
#include "dealer/ModData.h"
#include "dealer/ModSYSType.h"
#include "dealer/widgets/FieldWidth.h"
#include "dealer/widgets/FrmProtectPassWord.h"
#include "platform/Forms.h"
#include "platform/Twips.h"
#include "platform/widgets/QtTranslations.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>

namespace Halbrek {

namespace {

// Positions of the window are laid out in pixels; the gaps between a label
// and its box are given in twips.
using Platform::Px;
constexpr int kLabelGap = 50;
constexpr int kCounterGap = 20;

// A label sized to its text whose right edge lies the gap left of the box's
// left edge, centred on the row of its own box.
void PlaceLabel(QLabel* label, const QWidget* column, const QWidget* row, int gapTwips) {
    label->adjustSize();
    const int x = column->x() - Px(gapTwips) - label->width();
    const int y = row->y() + (std::min(row->height(), 26) - label->height()) / 2;
    label->move(x, y);
}

QString Today() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

} // namespace

FrmMain::FrmMain(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Halbrek"));
    CreateControls();
    Platform::Forms::Register(this);
    Form_Load();
}

FrmMain::~FrmMain() {
    Form_Unload();
}

void FrmMain::CreateControls() {
    setFixedSize(660, 560);
    const int rowH = 26;

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(10, 8, 640, 100);
    for (int i = 0; i < 2; ++i) {
        Combo1[i] = new QComboBox(Frame1);
        Combo1[i]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        Combo1[i]->setGeometry(150, 28 + 34 * i, 150, rowH);
        Combo1[i]->setEnabled(false);
    }
    Combo1[0]->addItems({QStringLiteral("KL740"), QStringLiteral("KL740G")});
    QCheckBox** checks[] = {&Check1, &Check2, &Check3, &Check4, &Check5};
    const QPoint checkAt[] = {{340, 28}, {440, 28}, {540, 28}, {340, 62}, {440, 62}};
    for (int i = 0; i < 5; ++i) {
        auto* box = new QCheckBox(Frame1);
        box->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        box->setGeometry(checkAt[i].x(), checkAt[i].y(), 95, rowH);
        box->setEnabled(i == 2 || i == 3); // stun and kill
        *checks[i] = box;
    }

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(10, 114, 640, 340);
    // Left column: area code, serial, dates, version, batch, user code; right
    // column: dealer code, stock and sell dates, seller, password.
    const int leftRows[] = {0, 1, 2, 3, -1, 4, 5, 6};
    // The bytes each box's field holds; the version, only shown, keeps to 16.
    const int widths[] = {4, 16, 16, 16, 96, 16, 8, 4, 16, 16, 16, 16, 4};
    for (int i = 0; i < 13; ++i) {
        QWidget* box = nullptr;
        if (i == 4) {
            auto* text = new QPlainTextEdit(Frame2);
            text->setGeometry(150, 28 + 34 * 7, 475, 70);
            box = text;
        } else {
            auto* line = new QLineEdit(Frame2);
            LimitToField(line, widths[i]);
            if (i <= 7)
                line->setGeometry(150, 28 + 34 * leftRows[i], 150, rowH);
            else
                line->setGeometry(475, 28 + 34 * (i - 8), 150, rowH);
            line->installEventFilter(this);
            box = line;
        }
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setEnabled(i >= 8);
        Text1[i] = box;
    }
    Label2 = new QLabel(Frame2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setEnabled(false);
    for (int i = 0; i < 14; ++i) {
        Label1[i] = new QLabel(i < 2 ? static_cast<QWidget*>(Frame1) : Frame2);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setEnabled(i > 8);
    }
    Command7 = new QPushButton(Frame2);
    Command7->setObjectName(QStringLiteral("Command7"));
    Command7->setGeometry(475, 28 + 34 * 5, 150, 28);
    Command7->setVisible(false);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Combo2 = new QComboBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setGeometry(100, 464, 110, rowH);
    QPushButton** commands[] = {&Command1, &Command2, &Command3};
    const char* names[] = {"Command1", "Command2", "Command3"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QLatin1String(names[i]));
        button->setGeometry(320 + 110 * i, 462, 100, 30);
        *commands[i] = button;
    }

    Frame4 = new QGroupBox(this);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setGeometry(10, 498, 640, 54);
    Command4 = new QPushButton(Frame4);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setGeometry(10, 13, 150, 30);
    Label4 = new QLabel(Frame4);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label5 = new QLabel(Frame4);
    Label5->setObjectName(QStringLiteral("Label5"));
    for (int i = 0; i < 2; ++i) {
        Text2[i] = new QLineEdit(Frame4);
        Text2[i]->setObjectName(QStringLiteral("Text2_%1").arg(i));
        Text2[i]->setGeometry(265 + 150 * i, 15, 45, rowH);
        Text2[i]->setMaxLength(3);
    }
    Text2[0]->setText(QStringLiteral("10"));
    Text2[1]->setText(QStringLiteral("0"));
    Text2[1]->setEnabled(false);
    Label6 = new QLabel(Frame4);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(470, 15, 165, rowH);
    Label6->setStyleSheet(QStringLiteral("color: red;"));

    ReShowComPortTimer.setInterval(1000);
    connect(&ReShowComPortTimer, &QTimer::timeout, this, [this] { ReShowComPortTimer_Timer(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
}

void FrmMain::Form_Load() {
    ModComm::ResetSession();
    ModComm::SetHost(this);
    ModData::InitDefaults();
    SetLanguageText();
    ModSYSType::CheckSystemType();
    Label6->clear();
    ModSYSType::LoadSettings();
    int& port = ModComm::gComPort;
    if (ModSYSType::gFixedPortList == 1) {
        FillPortList(ModSYSType::FixedPortItems());
    } else {
        int first = 0;
        FillPortList(ModSYSType::ListComPorts(first));
        if (first < 1)
            port = 0;
        else if (port < 1 || !InComPorts(port))
            port = first;
    }
    if (port != 0) {
        Combo2->setCurrentIndex(Combo2->findText(QStringLiteral("COM%1").arg(port)));
        ModSYSType::WriteSetting(QStringLiteral("comPort"), QString::number(port));
    } else {
        Combo2->setCurrentIndex(-1);
    }
    Combo1[1]->clear();
    Combo1[1]->addItems(ModFreFile::BandTexts());
    Combo1[1]->setCurrentIndex(0);
    ShowByData();
    if (ModSYSType::gFixedPortList != 1) ReShowComPortTimer.start();
}

void FrmMain::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    ReShowComPortTimer.stop();
    ModComm::ResetSession();
    if (ModComm::Host() == this) ModComm::SetHost(nullptr);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FrmMain::SetLanguageText() {
    ChooseLanguage();
    const bool chinese = gLanguage == 2;
    Platform::UseQtLanguage(chinese); // standard buttons and Qt's dialogs too
    for (const Caption& c : MainCaptions()) {
        const QString text = QString::fromUtf16(chinese ? c.chinese : c.english);
        QObject* control = findChild<QObject*>(QLatin1String(c.control));
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text);
        else if (auto* frame = qobject_cast<QGroupBox*>(control))
            frame->setTitle(text);
    }
    // Every label ends the same distance left of its box in either language.
    PlaceLabel(Label4, Text2[0], Text2[0], kCounterGap);
    PlaceLabel(Label5, Text2[1], Text2[1], kCounterGap);
    QPalette version = Text1[5]->palette();
    version.setColor(QPalette::Base, palette().color(QPalette::Window));
    Text1[5]->setPalette(version);
    PlaceLabel(Label2, Text1[0], Text1[0], kLabelGap);
    PlaceLabel(Label1[0], Text1[0], Combo1[0], kLabelGap);
    PlaceLabel(Label1[1], Text1[0], Combo1[1], kLabelGap);
    for (int i = 2; i <= 8; ++i)
        PlaceLabel(Label1[i], Text1[0], Text1[i - 1], kLabelGap);
    for (int i = 9; i <= 12; ++i)
        PlaceLabel(Label1[i], Text1[8], Text1[i - 1], kLabelGap);
    PlaceLabel(Label1[13], Text1[12], Text1[12], kLabelGap);
    Label3->adjustSize();
    Label3->move(Combo2->x() - Px(kLabelGap) - Label3->width(),
                 Combo2->y() + (Combo2->height() - Label3->height()) / 2);
    FillProtectTexts();
}

QLineEdit* FrmMain::LineBox(int index) const {
    return qobject_cast<QLineEdit*>(Text1[static_cast<std::size_t>(index)]);
}

QString FrmMain::BoxText(int index) const {
    if (index == 4) return static_cast<QPlainTextEdit*>(Text1[4])->toPlainText();
    return LineBox(index)->text();
}

void FrmMain::SetBoxText(int index, const QString& text) {
    if (index == 4)
        static_cast<QPlainTextEdit*>(Text1[4])->setPlainText(text.left(96));
    else
        LineBox(index)->setText(text);
}

void FrmMain::ShowByData() {
    const TRadioInfo& d = gDealerInfo;
    Check1->setChecked(d.DTMF != 0);
    Check2->setChecked(d.Scramble != 0);
    Check3->setChecked(d.Stun != 0);
    Check4->setChecked(d.Kill != 0);
    Check5->setChecked(d.Factory != 0);
    // A radio type that the list does not offer is shown as it is.
    if (Combo1[0]->findText(d.RadioType) < 0 && !d.RadioType.isEmpty())
        Combo1[0]->addItem(d.RadioType);
    Combo1[0]->setCurrentIndex(Combo1[0]->findText(d.RadioType));
    // A band code without text leaves the band list without selection.
    Combo1[1]->setCurrentIndex(Combo1[1]->findText(ModFreFile::BandCodeToText(d.BandCode)));
    SetBoxText(0, d.AreaCode);
    SetBoxText(1, FixedValue(d.SerialNumber));
    SetBoxText(2, FixedValue(d.ProductedDate));
    SetBoxText(3, FixedValue(d.MaintainedDate));
    SetBoxText(4, FixedValue(d.Description));
    SetBoxText(5, d.Version);
    SetBoxText(6, FixedValue(d.BatchNumber));
    SetBoxText(7, FixedValue(d.UserCode));
    SetBoxText(8, FixedValue(d.DealerCode));
    SetBoxText(9, FixedValue(d.StockDate));
    SetBoxText(10, FixedValue(d.SellDate));
    SetBoxText(11, FixedValue(d.Seller));
    SetBoxText(12, FixedValue(d.Password));
    const bool masked = ModProtect::AnswerMissing();
    LineBox(12)->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    Command7->setVisible(masked);
}

void FrmMain::GetDataByShow() {
    TRadioInfo& d = gDealerInfo;
    d.DTMF = Check1->isChecked() ? 1 : 0;
    d.Scramble = Check2->isChecked() ? 1 : 0;
    d.Stun = Check3->isChecked() ? 1 : 0;
    d.Kill = Check4->isChecked() ? 1 : 0;
    d.Factory = Check5->isChecked() ? 1 : 0;
    // Radio type and band are never taken from the screen.
    Combo1[0]->setCurrentIndex(Combo1[0]->findText(ModFun::FindComboItem(Combo1[0], d.RadioType)));
    const QString band = ModFreFile::BandCodeToText(d.BandCode);
    if (ModFreFile::BandTextToCode(Combo1[1]->currentText()) != d.BandCode)
        Combo1[1]->setCurrentIndex(
            band.isEmpty() ? -1 : Combo1[1]->findText(ModFun::FindComboItem(Combo1[1], band)));
    auto trimmed = [this](int i) {
        QString t = BoxText(i);
        while (t.endsWith(u' '))
            t.chop(1);
        return t;
    };
    d.AreaCode = trimmed(0);
    d.Description.Assign(trimmed(4));
    d.SerialNumber.Assign(trimmed(1));
    d.ProductedDate.Assign(trimmed(2));
    d.MaintainedDate.Assign(trimmed(3));
    d.BatchNumber.Assign(trimmed(6));
    d.UserCode.Assign(trimmed(7));
    d.DealerCode.Assign(trimmed(8));
    d.StockDate.Assign(trimmed(9));
    d.SellDate.Assign(trimmed(10));
    d.Seller.Assign(trimmed(11));
    d.Password.Assign(ModFun::TrimNull(BoxText(12)));
    ModProtect::UpdatePasswordChanged();
}

bool FrmMain::InComPorts(int port) const {
    return Combo2->findText(QStringLiteral("COM%1").arg(port), Qt::MatchExactly) >= 0;
}

bool FrmMain::ShowStartMulWrite() {
    if (ModComm::gCommState == ModComm::MultiWriting) {
        Command1->setEnabled(true);
        Command2->setEnabled(true);
        Text2[1]->clear();
        Label6->clear();
        Command4->setText(Text(kMulWriteIdle));
        return true;
    }
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command4->setText(Text(kMulWriteRunning));
    return false;
}

void FrmMain::ShowRadioNo(int number) {
    Text2[1]->setText(QString::number(number));
}

void FrmMain::ShowStatus(const QString& text) {
    Label6->setText(text);
}

void FrmMain::ShowCommState() {
    // One session at a time; a running multi-write keeps its Stop button. A
    // session keeps its port: the port list waits until it has ended.
    const int state = ModComm::gCommState;
    Command1->setEnabled(state == ModComm::Idle);
    Command2->setEnabled(state == ModComm::Idle);
    Command4->setEnabled(state == ModComm::Idle || state == ModComm::MultiWriting);
    Combo2->setEnabled(state == ModComm::Idle);
    // An ended session closes its protect dialog: an answer given later
    // would belong to no session.
    if (state == ModComm::Idle && sessionDialog_) sessionDialog_->reject();
}

void FrmMain::ShowProtectDialog(bool forSession) {
    FrmProtectPassWord dialog(this);
    if (forSession) sessionDialog_ = &dialog;
    dialog.exec();
}

bool FrmMain::NewProtectPassword() {
    return ModProtect::NewProtectPassword([this] { ShowProtectDialog(true); });
}

bool FrmMain::SetProtectPassword() {
    return ModProtect::SetProtectPassword([this] { ShowProtectDialog(true); });
}

void FrmMain::Command1_Click() {
    ModComm::StartRead();
}

void FrmMain::Command2_Click() {
    ModComm::StartWrite();
}

void FrmMain::Command3_Click() {
    close();
}

void FrmMain::Command4_Click() {
    const int state = ModComm::gCommState;
    if (state == ModComm::Reading || state == ModComm::Writing) return;
    if (ShowStartMulWrite()) {
        ModComm::EndMulWrite(false);
        return;
    }
    ModComm::StartMulWrite(Text2[0]->text());
}

void FrmMain::Command7_Click() {
    ModProtect::gProtectMode = 0;
    ShowProtectDialog();
    if (ModProtect::AnswerMissing()) return;
    LineBox(12)->setEchoMode(QLineEdit::Normal);
    Command7->setVisible(false);
    ModSYSType::SaveProtectPair();
}

void FrmMain::Combo2_Click() {
    const QString item = Combo2->currentText();
    if (item.size() <= 3 || ModComm::gCommState != ModComm::Idle) return;
    ModComm::gComPort = ModSYSType::PortNumberOf(item);
    ModSYSType::WriteSetting(QStringLiteral("comPort"), QString::number(ModComm::gComPort));
}

void FrmMain::FillPortList(const QStringList& items) {
    QStringList current;
    for (int i = 0; i < Combo2->count(); ++i)
        current << Combo2->itemText(i);
    if (current == items) return; // an unchanged list is left alone
    const QSignalBlocker block(Combo2);
    Combo2->clear();
    Combo2->addItems(items);
}

void FrmMain::ReShowComPortTimer_Timer() {
    int first = 0;
    const QStringList items = ModSYSType::ListComPorts(first);
    if (ModComm::gCommState != ModComm::Idle) {
        // The list and the choice stay as they are; a session whose port has
        // gone ends.
        if (!items.contains(QStringLiteral("COM%1").arg(ModComm::gSessionPort)))
            ModComm::SessionPortGone();
        return;
    }
    FillPortList(items);
    if (first < 1) {
        ModComm::gComPort = 0;
        Combo2->setCurrentIndex(-1);
        return;
    }
    const QString item =
        ModFun::FindComboItem(Combo2, QStringLiteral("COM%1").arg(ModComm::gComPort));
    Combo2->setCurrentIndex(Combo2->findText(item));
    ModComm::gComPort = ModSYSType::PortNumberOf(Combo2->currentText());
}

void FrmMain::Text1_GotFocus(int index) {
    QLineEdit* box = LineBox(index);
    if (!box) return;
    if (index == 3 && box->text().isEmpty()) box->setText(Today());
    QTimer::singleShot(0, box, [box] { box->selectAll(); });
}

bool FrmMain::Text1_KeyPress(int index, QKeyEvent* key) {
    if (index != 1) return false;
    if (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste) ||
        key->matches(QKeySequence::Copy))
        return true;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        focusNextChild();
        return true;
    }
    const QString text = key->text();
    if (text.isEmpty()) return false;
    const char16_t c = text.front().unicode();
    if (c > 127) return true;
    if (c >= 32 && c <= 126 && (c < u'0' || c > u'9')) return true;
    return false;
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 13; ++i) {
        if (watched != Text1[static_cast<std::size_t>(i)]) continue;
        if (event->type() == QEvent::FocusIn) Text1_GotFocus(i);
        if (event->type() == QEvent::KeyPress)
            return Text1_KeyPress(i, static_cast<QKeyEvent*>(event));
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Halbrek

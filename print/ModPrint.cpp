#include "print/ModPrint.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Printer.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace ModPrint {

std::array<qint16, 9> gPrintSelection{};
qint16 gPrintDone = 0;
qint32 gPrtLineY = 0;

namespace {

Platform::Printer* gPrinter = nullptr;

const QString kCrLf = QStringLiteral("\r\n");

QString T(qint32 n) {
    return ModFunLang::GetLangText(n);
}

// x or y of a position given in percent of the page width or height.
float PercentOf(double size, double percent) {
    return static_cast<float>(size) * static_cast<float>(percent) / 100.0f;
}

// ---- hidden pages ----

// A page loaded (or taken as the user has it open) and kept invisible while
// its section prints; unloaded when the section ends, also when an error ends
// it early, so the page can be opened again as usual.
class HiddenPage {
public:
    HiddenPage(const QString& name, bool fresh) : name_(name) {
        if (fresh) ModFun::UnloadFormByName(name);
        page_ = fresh ? nullptr : qobject_cast<QWidget*>(Platform::Forms::Find(name));
        if (!page_) page_ = Platform::Forms::Create(name);
        if (!page_) throw std::runtime_error("the page cannot be loaded");
        page_->setVisible(false);
        if (auto* frame = qobject_cast<QMdiSubWindow*>(page_->parentWidget())) frame->hide();
    }
    ~HiddenPage() {
        if (page_) ModFun::UnloadFormByName(name_);
    }
    HiddenPage(const HiddenPage&) = delete;
    HiddenPage& operator=(const HiddenPage&) = delete;

    QWidget* Page() const { return page_; }

private:
    QString name_;
    QPointer<QWidget> page_;
};

// A control of a page by its window name; index -1 names one outside a
// control array. A control without an index is also found as member 0.
QWidget* Control(const QWidget* page, const char* name, int index) {
    QWidget* plain = nullptr;
    for (QWidget* w : page->findChildren<QWidget*>(QLatin1String(name))) {
        const QVariant i = w->property("Index");
        if (index < 0 && !i.isValid()) return w;
        if (index >= 0 && i.isValid() && i.toInt() == index) return w;
        if (index == 0 && !i.isValid() && !plain) plain = w;
    }
    if (plain) return plain;
    throw std::runtime_error("a page control is missing");
}

// What the control shows: a caption, a frame's title, a box's text, the
// chosen item of a list.
QString Text(const QWidget* page, const char* name, int index = -1) {
    QWidget* w = Control(page, name, index);
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(w)) return box->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
    return {};
}

int CheckValue(const QWidget* page, const char* name, int index = -1) {
    auto* box = qobject_cast<QCheckBox*>(Control(page, name, index));
    if (!box) throw std::runtime_error("a page control is not a check box");
    return box->isChecked() ? 1 : 0;
}

// Language text 16040 (clear) or 16041 (set).
QString CheckText(int value) {
    return T(16040 + value);
}

QString ComboItem(const QWidget* page, const char* name, int index, int item) {
    auto* combo = qobject_cast<QComboBox*>(Control(page, name, index));
    if (!combo) throw std::runtime_error("a page control is not a list");
    return ModFun::GetComboItem(combo, item);
}

// ---- frame of a section page ----

// What every page of the running section starts with, below the page header:
// its title and, for the channel table, the heading rows. A continuation page
// repeats it.
std::function<void()> gSectionHead;
// Where the body of the current page starts, below its head.
double gBodyTop = 0;
// The page's head is being printed; its lines are not measured.
bool gInHead = false;

void PrintTitle(const QString& title, int emptyLines) {
    Platform::Printer& p = Printer();
    p.SetCurrentX(PercentOf(p.ScaleWidth(), 5));
    p.Print(title + kCrLf.repeated(emptyLines));
}

void PrintHead() {
    gInHead = true;
    PrintPageHeader();
    if (gSectionHead) gSectionHead();
    gInHead = false;
    gBodyTop = Printer().CurrentY();
}

// Starts a section: its first page with the page header and the section's head.
void BeginSection(std::function<void()> head) {
    gSectionHead = std::move(head);
    PrintHead();
}

void EndSectionPage() {
    PrintPage();
    Printer().NewPage();
}

void EndSection() {
    EndSectionPage();
    gSectionHead = nullptr;
}

// Where the footer's line starts: 3 % of the height above the bottom, and
// never so low that the footer leaves the printable area.
double FooterY() {
    const Platform::Printer& p = Printer();
    const double h = p.ScaleHeight();
    return std::min<double>(h - PercentOf(h, 3), h - p.LineHeight());
}

bool Fits(int lines) {
    const Platform::Printer& p = Printer();
    return p.CurrentY() + lines * p.LineHeight() <= FooterY();
}

// Makes sure that this many lines fit between the current y and the footer's
// line; when they do not, the page ends and a continuation page starts with
// the page header and the section's head. Lines that do not fit below the head
// of an empty page are split over pages; a page without room for one line
// below its head stops the job.
void MakeRoom(int lines) {
    if (gInHead || Fits(lines)) return;
    if (Printer().CurrentY() > gBodyTop) {
        EndSectionPage();
        PrintHead();
        if (Fits(lines)) return;
    }
    if (!Fits(1)) throw PaperTooSmall("the page has no room below its head");
}

// The frame of a feature-page section: header, the page's caption, its rows,
// footer and new page.
void PrintFeaturePage(const char* window, const std::function<void(const QWidget*)>& rows) {
    HiddenPage hidden(QLatin1String(window), false);
    const QString title = hidden.Page()->windowTitle();
    BeginSection([title] { PrintTitle(title, 2); });
    rows(hidden.Page());
    EndSection();
}

// A row with left-aligned labels: label at 10 %, value at the value column.
void LeftRow(const QString& label, const QString& value, double valueAt = 35) {
    StartLine();
    PrintCell(10, label);
    PrintCell(valueAt, value);
}

void LeftRow2(const QString& label1, const QString& value1, const QString& label2,
              const QString& value2) {
    StartLine();
    PrintCell(10, label1);
    PrintCell(35, value1);
    PrintCell(55, label2);
    PrintCell(75, value2);
}

// ---- channels ----

const TChannel& FindChannel(int number) {
    const int n = gEditData.UsedCount();
    for (int k = 0; k < n; ++k)
        if (gEditData.Channels[k].Number == number) return gEditData.Channels[k];
    throw std::runtime_error("a channel has no record");
}

QString RxText(const TChannel& ch) {
    return ModShowFreFun::FreqCodeToText(ModFun::TrimNull(ch.RxFreq.Text()));
}

QString TxColumnText(const TChannel& ch) {
    // without a receive frequency there is no transmit frequency to show
    if (!gHabits.TxAsOffset && RxText(ch).isEmpty()) return {};
    return ModShowFreFun::TxFreqText(ModFun::TrimNull(ch.RxFreq.Text()),
                                     ModFun::TrimNull(ch.Offset.Text()), ch.OffsetDir,
                                     gHabits.TxAsOffset);
}

QString HeaderCell(const QWidget* grid, int col) {
    auto* table = qobject_cast<const QTableWidget*>(grid);
    if (!table) throw std::runtime_error("the channel grid is missing");
    const QTableWidgetItem* item = table->horizontalHeaderItem(col);
    return item ? item->text() : QString();
}

// The table's two heading lines; each heading stands 2 % left of its column.
void PrintTableHeading(const QWidget* page) {
    const QWidget* grid = Control(page, "MSFlexGrid1", -1);
    StartLine();
    PrintCell(5, Text(page, "Label1"));
    PrintCell(15, HeaderCell(grid, 1));
    PrintCell(41, HeaderCell(grid, 4));
    PrintCell(61, HeaderCell(grid, 6));
    PrintCell(79, HeaderCell(grid, 8));
    StartLine();
    PrintCell(10, HeaderCell(grid, 0));
    PrintCell(28, HeaderCell(grid, 2));
    PrintCell(51, HeaderCell(grid, 5));
    PrintCell(71, HeaderCell(grid, 7));
    PrintCell(87, HeaderCell(grid, 9) + kCrLf);
}

void PrintChannelTable(const QWidget* page, const std::array<qint16, 256>& chNos, qint32 count) {
    for (qint32 k = 0; k < count; ++k) {
        const int ch = chNos[k];
        const TChannel& c = FindChannel(ch);
        StartLine();
        PrintCell(7, QString::number((ch - 1) / 16 + 1));
        PrintCell(12, QString::number((ch - 1) % 16 + 1));
        PrintCell(17, RxText(c));
        PrintCell(30, TxColumnText(c));
        PrintCell(43, ComboItem(page, "Combo1", 0, c.RxTone));
        PrintCell(53, ComboItem(page, "Combo1", 0, c.TxTone));
        PrintCell(63, ComboItem(page, "Combo2", 0, c.TxPower));
        PrintCell(73, ComboItem(page, "Combo3", 0, c.ScanSkip));
        PrintCell(81, ComboItem(page, "Combo4", 0, c.OptSignal));
        PrintCell(89, ComboItem(page, "Combo5", 0, c.Bandwidth));
    }
}

QString CallText(int memory) {
    return memory == 0 ? T(14013) : QString::number(memory);
}

QString ToneText(const QWidget* page, int list, int tone) {
    return tone == 0 ? T(15030) : ComboItem(page, "Combo2", list, tone);
}

// Lines of a detail block: the heading and eleven label/value lines.
constexpr int kDetailBlockLines = 12;

void PrintChannelDetail(const QWidget* page, const std::array<qint16, 256>& chNos, qint32 count) {
    Platform::Printer& p = Printer();
    for (qint32 k = 0; k < count; ++k) {
        const int ch = chNos[k];
        MakeRoom(kDetailBlockLines); // a block stays on one page
        p.SetCurrentX(PercentOf(p.ScaleWidth(), 5));
        p.Print(T(15029) + QStringLiteral(" ") + QString::number((ch - 1) / 16 + 1) +
                QStringLiteral("   ") + T(15001) + QStringLiteral(" ") +
                QString::number((ch - 1) % 16 + 1));
        const TChannel& c = FindChannel(ch);
        // label at 10 %, value at 30 %; a second pair at 55 % and 75 %
        const auto line = [](const QString& label1, const QString& value1, bool second,
                             const QString& label2, const QString& value2) {
            StartLine();
            PrintCell(10, label1);
            PrintCell(30, value1);
            if (!second) return;
            PrintCell(55, label2);
            PrintCell(75, value2);
        };
        const QString mhz = QStringLiteral(" MHz");
        line(Text(page, "Label2", 0), RxText(c) + mhz, true, Text(page, "Label2", 1),
             ModShowFreFun::TxFreqDisplay(ModFun::TrimNull(c.RxFreq.Text()),
                                          ModFun::TrimNull(c.Offset.Text()), c.OffsetDir,
                                          gHabits.TxAsOffset) +
                 mhz);
        const auto row = [&](int label1, const QString& value1, int label2, const QString& value2) {
            line(Text(page, "Label3", label1), value1, label2 >= 0,
                 label2 < 0 ? QString() : Text(page, "Label3", label2), value2);
        };
        row(0, ToneText(page, 0, c.RxTone), 1, ToneText(page, 1, c.TxTone));
        row(2, T(15044 + c.TxPower), 3, c.OptSignal == 1 ? T(15043) : T(15030));
        row(4, c.PttId == 0 ? T(15030) : T(15036 + c.PttId), 5, T(15040 + c.Bandwidth));
        row(6, T(15030 + c.BusyLock), 7, T(15034 + c.InvTalkSelect));
        row(8, CallText(c.Call1), 10, CallText(c.Call2));
        row(9, T(15050 + c.SignalRelation), -1, {});
        const auto checks = [&](int box1, int value1, int box2, int value2) {
            line(Text(page, "Check1", box1), CheckText(value1), box2 >= 0,
                 box2 < 0 ? QString() : Text(page, "Check1", box2), CheckText(value2));
        };
        checks(0, c.ScanSkip, 1, c.Scramble);
        checks(2, c.TxInhibit, 5, c.Whisper);
        checks(3, c.Talkaround, 4, c.Inversion);
        checks(6, c.Compander, -1, 0);
    }
}

} // namespace

// ---- page model ----

void SetPrinter(Platform::Printer* printer) {
    gPrinter = printer;
    gSectionHead = nullptr;
    gBodyTop = 0;
    gInHead = false;
}

Platform::Printer& Printer() {
    if (!gPrinter) throw Platform::PrinterError("no printer");
    return *gPrinter;
}

void StartLine() {
    MakeRoom(1);
    gPrtLineY = static_cast<qint32>(std::nearbyint(Printer().CurrentY()));
}

void PrintCell(double percent, const QString& text) {
    Platform::Printer& p = Printer();
    p.SetCurrentY(gPrtLineY);
    p.SetCurrentX(PercentOf(p.ScaleWidth(), percent));
    p.Print(text);
}

void PrintPageHeader() {
    Platform::Printer& p = Printer();
    const double w = p.ScaleWidth();
    p.SetFontSize(25);
    p.SetFontBold(true);
    p.SetCurrentY(PercentOf(p.ScaleHeight(), 2));
    const QString title = T(29221);
    p.SetCurrentX((w - p.TextWidth(title)) / 2);
    p.Print(title + kCrLf);
    p.SetFontSize(10);
    p.SetCurrentX(static_cast<float>(w) * 3.0f / 4.0f);
    const QLocale locale = QLocale::system();
    p.Print(locale.toString(QDate::currentDate(), QLocale::ShortFormat) + QStringLiteral("    ") +
            locale.toString(QTime::currentTime(), QLocale::ShortFormat) + kCrLf);
    StartLine();
    PrintCell(8, T(29222));
    PrintCell(25, gModelName);
    StartLine();
    PrintCell(8, T(29223));
    PrintCell(25, gBandText);
    StartLine();
    PrintCell(8, T(29220));
    PrintCell(25, gDataFileName + kCrLf);
    p.SetFontBold(false);
}

void PrintPage() {
    Platform::Printer& p = Printer();
    const QString s = QStringLiteral("- ") + QString::number(p.Page()) + QStringLiteral(" -");
    p.SetCurrentX((p.ScaleWidth() - p.TextWidth(s)) / 2);
    p.SetCurrentY(FooterY());
    p.Print(s);
}

void PrintLabelValue(qint16 col, const QString& label, const QString& value) {
    Platform::Printer& p = Printer();
    const double w = p.ScaleWidth();
    p.SetCurrentY(gPrtLineY);
    p.SetCurrentX(PercentOf(w, col) - p.TextWidth(label) - PercentOf(w, 2));
    p.Print(label);
    p.SetCurrentY(gPrtLineY);
    p.SetCurrentX(PercentOf(w, col));
    p.Print(value);
}

KeepConfiguration::KeepConfiguration()
    : data_(gEditData), extra_(gEditExtraData), testBlock_(gEditTestBlock) {}

KeepConfiguration::~KeepConfiguration() {
    gEditData = data_;
    gEditExtraData = extra_;
    gEditTestBlock = testBlock_;
}

// ---- sections ----

void Prt_UHFChannel() {
    const bool details = gPrintSelection[1] > 0;
    const qint32 n = gEditData.UsedCount();
    std::array<qint16, 256> list{};
    for (int k = 0; k < n; ++k)
        list[k] = gEditData.Channels[k].Number;
    std::sort(list.begin(), list.begin() + n);

    if (n == 0) {
        BeginSection([] { PrintTitle(T(29250), 1); });
        EndSection();
        return;
    }
    HiddenPage hidden(details ? QStringLiteral("FrmCHInfoEdit") : QStringLiteral("frmCommChInfo"),
                      true);
    const QWidget* page = hidden.Page();
    BeginSection([page, details] {
        PrintTitle(T(29250), 2);
        if (!details) PrintTableHeading(page);
    });
    if (details)
        PrintChannelDetail(page, list, n);
    else
        PrintChannelTable(page, list, n);
    EndSection();
}

void Prt_Option() {
    PrintFeaturePage("FrmOptFeatures", [](const QWidget* page) {
        const auto combo = [page](qint16 col, int i, const QString& after = {}) {
            PrintLabelValue(col, Text(page, "Label1", i), Text(page, "Combo1", i) + after);
        };
        const auto check = [page](qint16 col, int i, const QString& after = {}) {
            PrintLabelValue(col, Text(page, "Check1", i),
                            CheckText(CheckValue(page, "Check1", i)) + after);
        };
        const int pairs[][2] = {{0, 1}, {11, 2}, {3, 4}, {5, 6}};
        for (const auto& pair : pairs) {
            StartLine();
            combo(35, pair[0]);
            combo(75, pair[1]);
        }
        StartLine();
        combo(35, 7);
        combo(75, 10, kCrLf);
        StartLine();
        check(35, 0);
        StartLine();
        combo(35, 8);
        StartLine();
        combo(35, 9);
        StartLine();
        check(35, 1, kCrLf);
        for (int i = 2; i <= 4; ++i) {
            StartLine();
            check(35, i);
        }
        StartLine();
        check(75, 5);
    });
}

void Prt_DTMF() {
    PrintFeaturePage("FrmDTMF", [](const QWidget* page) {
        const auto pair = [page](const char* label, const char* value, int i) {
            return std::make_pair(Text(page, label, i), Text(page, value, i));
        };
        const auto row = [](const std::pair<QString, QString>& a,
                            const std::pair<QString, QString>& b) {
            LeftRow2(a.first, a.second, b.first, b.second);
        };
        row(pair("Label1", "Combo1", 0), pair("Label1", "Combo1", 1));
        row(pair("Label1", "Combo1", 2), pair("Label1", "Combo1", 3));
        row(pair("Label1", "Combo1", 4),
            {Text(page, "Check1"), CheckText(CheckValue(page, "Check1"))});
        row(pair("Label2", "Combo2", 1), pair("Label2", "Combo2", 4));
        row(pair("Label2", "Combo2", 5), {Text(page, "Label5"), Text(page, "Text3")});
        Printer().Print(kCrLf);
        row(pair("Label3", "Text1", 0), pair("Label3", "Text1", 1));
        row(pair("Label3", "Text1", 2), pair("Label3", "Text1", 3));
        for (int k = 0; k <= 14; k += 2)
            row(pair("Label4", "Text2", k), pair("Label4", "Text2", k + 1));
    });
}

void Prt_EMG() {
    PrintFeaturePage("FrmEmbMsg", [](const QWidget* page) {
        for (int i = 0; i < 4; ++i) {
            StartLine();
            PrintCell(20, Text(page, "Text1", i));
        }
    });
}

void Prt_Key() {
    PrintFeaturePage("FrmKey", [](const QWidget* page) {
        const auto row = [page](int i, const QString& after = {}) {
            LeftRow(Text(page, "Label1", i), Text(page, "Combo1", i) + after);
        };
        const auto heading = [page](const char* frame) {
            StartLine();
            PrintCell(10, Text(page, frame));
        };
        row(9);
        row(10, kCrLf);
        heading("Frame1");
        row(0);
        row(1, kCrLf);
        heading("Frame2");
        row(2);
        row(3);
    });
}

void Prt_Scan() {
    PrintFeaturePage("FrmScan", [](const QWidget* page) {
        const auto row = [page](int i) {
            LeftRow(Text(page, "Label1", i), Text(page, "Combo1", i));
        };
        const auto channel = [page](int label, int group, int position) {
            LeftRow(Text(page, "Label1", label),
                    Text(page, "Combo1", group) + QStringLiteral("  -  ") +
                        Text(page, "Combo1", position),
                    45);
        };
        row(0);
        row(1);
        channel(2, 2, 3);
        channel(4, 4, 5);
        for (int i = 6; i <= 10; ++i)
            row(i);
        LeftRow(Text(page, "Check1"), CheckText(CheckValue(page, "Check1")));
    });
}

void Prt_Alert() {
    PrintFeaturePage("FrmAlert", [](const QWidget* page) {
        LeftRow(Text(page, "Label1", 10), Text(page, "Combo1", 10));
        for (int i = 0; i <= 9; ++i)
            LeftRow(Text(page, "Label1", i), Text(page, "Combo1", i));
    });
}

void Prt_Local() {
    PrintFeaturePage("FrmRadioInfo", [](const QWidget* page) {
        const auto row = [page](const QString& label, const char* value, int i) {
            LeftRow(label, Text(page, value, i));
        };
        row(Text(page, "Label2"), "Text1", 0);
        row(Text(page, "Label1", 8), "Text1", 6);
        row(Text(page, "Label1", 9), "Text1", 7);
        row(Text(page, "Label1", 0), "Combo1", 0);
        row(Text(page, "Label1", 1), "Combo1", 1);
        row(Text(page, "Label1", 2), "Text1", 1);
        row(Text(page, "Label1", 3), "Text1", 2);
        row(Text(page, "Label1", 4), "Text1", 3);
        row(Text(page, "Label1", 6), "Text1", 5);
        row(Text(page, "Label1", 5) + QStringLiteral(" ") + Text(page, "Label1", 7), "Text1", 4);
        for (int i = 10; i <= 13; ++i)
            row(Text(page, "Label1", i), "Text1", i - 2);
    });
}

} // namespace ModPrint

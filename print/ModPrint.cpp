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
#include "print/PrintLayout.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHash>
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

// ---- fonts and widths ----

// The report's font sizes: the page title, and every other text unless the
// paper is too narrow or too low for it; then smaller, in half points, down
// to the least size that still reads well.
constexpr double kTitleSize = 25;
constexpr double kTextSize = 10;
constexpr double kLeastSize = 6;
constexpr double kSizeStep = 0.5;

// The font size of the running section's title and body.
double gBodySize = kTextSize;

// The largest size from `from` down to the least size at which `fits` holds,
// with the printer's font left at it; 0 when none does.
double LargestSize(double from, const std::function<bool(double)>& fits) {
    for (double size = from; size >= kLeastSize; size -= kSizeStep) {
        Printer().SetFontSize(size);
        if (fits(size)) return size;
    }
    return 0;
}

// Widths of texts in the current font, each measured once.
class Widths {
public:
    double operator()(const QString& text) {
        const auto it = cache_.constFind(text);
        if (it != cache_.cend()) return *it;
        return *cache_.insert(text, Printer().TextWidth(text));
    }

private:
    QHash<QString, double> cache_;
};

// The room between two texts of a line in the current font, and between a
// right-aligned label and its value.
double Gap() {
    return Printer().TextWidth(QStringLiteral("00"));
}

double LabelGap() {
    return PercentOf(Printer().ScaleWidth(), 2);
}

// The text cut to the width with "…" where it is wider: at its start (a
// path keeps the file's own name) or at its end.
QString Elide(const QString& text, double width, bool atStart) {
    const Platform::Printer& p = Printer();
    if (p.TextWidth(text) <= width) return text;
    const QString dots = QStringLiteral("…");
    for (qsizetype keep = text.size() - 1; keep > 0; --keep) {
        const QString shown = atStart ? dots + text.right(keep) : text.left(keep) + dots;
        if (p.TextWidth(shown) <= width) return shown;
    }
    return {};
}

// x of a section title at 5 % of the width, further left where its end would
// pass the width; -1 when it is wider than the page.
double TitleX(const QString& title) {
    const Platform::Printer& p = Printer();
    const double w = p.ScaleWidth();
    const double width = p.TextWidth(title);
    if (width > w) return -1;
    return std::min<double>(PercentOf(w, 5), w - width);
}

// A section's rows of label and value cells and where its title and columns
// stand in the current font.
struct Body {
    PrintLayout::Grid grid;
    QList<double> x;
    double titleX = 0;
    // The rows as they print: a wrapping text's lines after its first go
    // under it, each a row of its own.
    QList<PrintLayout::Row> rows;

    // Places the title and the columns and wraps the wrapping texts in the
    // room right of their columns; false when they do not fit the width.
    bool Place(const QString& title) {
        titleX = TitleX(title);
        if (titleX < 0) return false;
        Widths width;
        const auto measure = [&width](const QString& text) { return width(text); };
        const auto placed =
            PrintLayout::PlaceGrid(grid, Printer().ScaleWidth(), Gap(), LabelGap(), measure);
        if (!placed) return false;
        x = *placed;
        rows.clear();
        for (const PrintLayout::Row& row : grid.rows) {
            if (row.isEmpty() || !row.last().wraps) {
                rows.append(row);
                continue;
            }
            const PrintLayout::Cell& cell = row.last();
            const auto lines =
                PrintLayout::Wrap(cell.text, Printer().ScaleWidth() - x[cell.column], measure);
            if (!lines) return false;
            rows.append(row);
            rows.last().last() = {cell.column, lines->first()};
            for (qsizetype i = 1; i < lines->size(); ++i)
                rows.append({{cell.column, lines->at(i)}});
        }
        return true;
    }
};

// ---- frame of a section page ----

// What every page of the running section starts with, below the page header:
// its title and, for the channel table, the heading rows. A continuation page
// repeats it.
std::function<void()> gSectionHead;
// Where the body of the current page starts, below its head.
double gBodyTop = 0;
// The page's head is being printed; its lines are not measured.
bool gInHead = false;

void PrintTitle(double x, const QString& title, int emptyLines) {
    Platform::Printer& p = Printer();
    p.SetCurrentX(x);
    p.Print(title + kCrLf.repeated(emptyLines));
}

void PrintHead() {
    gInHead = true;
    PrintPageHeader();
    if (gSectionHead) gSectionHead();
    gInHead = false;
    gBodyTop = Printer().CurrentY();
}

// Goes through the motions of printing in the real printer's fonts and page
// without printing anything, to find where a page's head ends.
class DryPrinter final : public Platform::Printer {
public:
    explicit DryPrinter(Platform::Printer& real) : real_(real) {}
    void SetFontSize(double points) override { real_.SetFontSize(points); }
    void SetFontBold(bool bold) override { real_.SetFontBold(bold); }
    double CurrentX() const override { return x_; }
    void SetCurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return y_; }
    void SetCurrentY(double y) override { y_ = y; }
    double ScaleWidth() const override { return real_.ScaleWidth(); }
    double ScaleHeight() const override { return real_.ScaleHeight(); }
    double TextWidth(const QString& text) const override { return real_.TextWidth(text); }
    double LineHeight() const override { return real_.LineHeight(); }
    void Print(const QString& text) override {
        x_ = 0;
        y_ += real_.LineHeight() * static_cast<double>(text.count(kCrLf) + 1);
    }
    void NewPage() override {}
    void EndDoc() override {}
    void Abort() override {}
    int Page() const override { return real_.Page(); }

private:
    Platform::Printer& real_;
    double x_ = 0;
    double y_ = 0;
};

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

// Whether this many lines fit below the head of an empty page in the current
// fonts; the page is composed on a dry printer.
bool RoomBelowHead(int lines) {
    DryPrinter dry(Printer());
    struct Restore {
        Platform::Printer* printer = gPrinter;
        double bodyTop = gBodyTop;
        ~Restore() {
            gPrinter = printer;
            gBodyTop = bodyTop;
            gInHead = false;
        }
    } restore;
    gPrinter = &dry;
    PrintHead();
    return Fits(lines);
}

// Starts a section. Its font size is the largest, from 10 points down to the
// least size, at which `place` finds room across the page for its texts and
// `lines` lines fit below the head of an empty page; PaperTooSmall when no
// size does. Then the first page's header and the section's head.
void BeginSection(std::function<void()> head, const std::function<bool()>& place, int lines) {
    gSectionHead = std::move(head);
    const double size = LargestSize(kTextSize, [&](double s) {
        gBodySize = s;
        return place() && RoomBelowHead(lines);
    });
    if (size == 0) throw PaperTooSmall("the report does not fit on the paper");
    gBodySize = size;
    Printer().SetFontSize(size);
    PrintHead();
}

void EndSectionPage() {
    PrintPage();
    Printer().NewPage();
}

// Ends the section's last page; the next section starts in 10 points.
void EndSection() {
    EndSectionPage();
    gSectionHead = nullptr;
    gBodySize = kTextSize;
    Printer().SetFontSize(kTextSize);
}

// Makes sure that this many lines fit between the current y and the footer's
// line; when they do not, the page ends and a continuation page starts with
// the page header and the section's head. Lines that do not fit below the
// head of an empty page stop the job: the section's font size was chosen so
// that they do.
void MakeRoom(int lines) {
    if (gInHead || Fits(lines)) return;
    if (Printer().CurrentY() > gBodyTop) {
        EndSectionPage();
        PrintHead();
        if (Fits(lines)) return;
    }
    throw PaperTooSmall("the page has no room below its head");
}

// A row of cells at the places of the layout; a right-aligned cell ends at
// its column's x. An empty row is a separate print of one line break.
void PrintRow(const Body& body, const PrintLayout::Row& row) {
    Platform::Printer& p = Printer();
    if (row.isEmpty()) {
        p.Print(kCrLf);
        return;
    }
    StartLine();
    for (const PrintLayout::Cell& cell : row) {
        double x = body.x[cell.column];
        if (body.grid.columns[cell.column].align == PrintLayout::Align::Right)
            x -= p.TextWidth(PrintLayout::FirstLine(cell.text));
        PrintCell(x, cell.text);
    }
}

// The frame of a feature-page section: header, the page's caption, its rows,
// footer and new page.
void PrintFeaturePage(const char* window, const QList<PrintLayout::ColumnSpec>& columns,
                      const std::function<QList<PrintLayout::Row>(const QWidget*)>& rows) {
    HiddenPage hidden(QLatin1String(window), false);
    const QString title = hidden.Page()->windowTitle();
    Body body{{columns, rows(hidden.Page())}, {}, 0, {}};
    // a heading (a label without a value) stays on the page of the row under it
    const auto heading = [&columns](const QList<PrintLayout::Row>& all, qsizetype r) {
        return columns.size() > 1 && r + 1 < all.size() && all[r].size() == 1 &&
               all[r][0].column == 0;
    };
    int keep = 1;
    for (qsizetype r = 0; r < body.grid.rows.size(); ++r)
        if (heading(body.grid.rows, r)) keep = 2;
    BeginSection([&body, &title] { PrintTitle(body.titleX, title, 2); },
                 [&body, &title] { return body.Place(title); }, keep);
    for (qsizetype r = 0; r < body.rows.size(); ++r) {
        if (heading(body.rows, r)) MakeRoom(2);
        PrintRow(body, body.rows[r]);
    }
    EndSection();
}

using PrintLayout::Align;
using PrintLayout::Cell;
using PrintLayout::Row;

// Rows with left-aligned labels at 10 % and values at 35 %.
const QList<PrintLayout::ColumnSpec> kLabelValue = {{10}, {35}};

Row Pair(int column, const QString& label, const QString& value) {
    return {{column, label}, {column + 1, value}};
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

// The channel table: ten columns, each as wide as its widest value, with its
// heading 2 % further left on the first or the second heading line in turn,
// so a heading may reach over the next column but never to the next heading
// of its own line.
class ChannelTable {
public:
    static constexpr int kColumns = 10;

    ChannelTable(const QWidget* page, const std::array<qint16, 256>& chNos, qint32 count) {
        const QWidget* grid = Control(page, "MSFlexGrid1", -1);
        headings_ = {Text(page, "Label1"), HeaderCell(grid, 0), HeaderCell(grid, 1),
                     HeaderCell(grid, 2),  HeaderCell(grid, 4), HeaderCell(grid, 5),
                     HeaderCell(grid, 6),  HeaderCell(grid, 7), HeaderCell(grid, 8),
                     HeaderCell(grid, 9)};
        for (qint32 k = 0; k < count; ++k) {
            const int ch = chNos[k];
            const TChannel& c = FindChannel(ch);
            rows_.append({QString::number((ch - 1) / 16 + 1), QString::number((ch - 1) % 16 + 1),
                          RxText(c), TxColumnText(c), ComboItem(page, "Combo1", 0, c.RxTone),
                          ComboItem(page, "Combo1", 0, c.TxTone),
                          ComboItem(page, "Combo2", 0, c.TxPower),
                          ComboItem(page, "Combo3", 0, c.ScanSkip),
                          ComboItem(page, "Combo4", 0, c.OptSignal),
                          ComboItem(page, "Combo5", 0, c.Bandwidth)});
        }
    }

    // Places the title and the columns in the current font; false when they
    // do not fit the width.
    bool Place(const QString& title) {
        static constexpr double kPercent[kColumns] = {7, 12, 17, 30, 43, 53, 63, 73, 81, 89};
        titleX_ = TitleX(title);
        if (titleX_ < 0) return false;
        const double w = Printer().ScaleWidth();
        shift_ = PercentOf(w, 2);
        const double gap = Gap();
        Widths width;
        std::array<double, kColumns> values{};
        for (const auto& row : rows_)
            for (int i = 0; i < kColumns; ++i)
                values[i] = std::max(values[i], width(row[i]));
        QList<PrintLayout::Column> columns;
        QList<PrintLayout::Distance> distances;
        for (int i = 0; i < kColumns; ++i) {
            const double heading = width(headings_[i]);
            columns.append(
                {PercentOf(w, kPercent[i]), shift_, std::min(w - values[i], w + shift_ - heading)});
            if (i >= 1) distances.append({i - 1, i, values[i - 1] + gap});
            if (i >= 2) distances.append({i - 2, i, width(headings_[i - 2]) + gap});
        }
        const auto placed = PrintLayout::Place(columns, distances);
        if (!placed) return false;
        std::copy(placed->cbegin(), placed->cend(), x_.begin());
        return true;
    }

    void PrintTableHead(const QString& title) const {
        PrintTitle(titleX_, title, 2);
        for (int line = 0; line < 2; ++line) {
            StartLine();
            for (int i = line; i < kColumns; i += 2)
                PrintCell(x_[i] - shift_, headings_[i] + (i == kColumns - 1 ? kCrLf : QString()));
        }
    }

    void PrintRows() const {
        for (const auto& row : rows_) {
            StartLine();
            for (int i = 0; i < kColumns; ++i)
                PrintCell(x_[i], row[i]);
        }
    }

private:
    std::array<QString, kColumns> headings_;
    QList<std::array<QString, kColumns>> rows_;
    std::array<double, kColumns> x_{};
    double shift_ = 0;
    double titleX_ = 0;
};

QString CallText(int memory) {
    return memory == 0 ? T(14013) : QString::number(memory);
}

QString ToneText(const QWidget* page, int list, int tone) {
    return tone == 0 ? T(15030) : ComboItem(page, "Combo2", list, tone);
}

// Lines of a detail block: the heading and eleven label/value lines.
constexpr int kDetailBlockLines = 12;

// The detail blocks: a heading at 5 %, then lines of a label at 10 % and its
// value at 30 %, most with a second pair at 55 % and 75 %.
QList<Row> ChannelDetailRows(const QWidget* page, const std::array<qint16, 256>& chNos,
                             qint32 count) {
    QList<Row> rows;
    for (qint32 k = 0; k < count; ++k) {
        const int ch = chNos[k];
        rows.append({{0, T(15029) + QStringLiteral(" ") + QString::number((ch - 1) / 16 + 1) +
                             QStringLiteral("   ") + T(15001) + QStringLiteral(" ") +
                             QString::number((ch - 1) % 16 + 1)}});
        const TChannel& c = FindChannel(ch);
        const QString mhz = QStringLiteral(" MHz");
        rows.append(Pair(1, Text(page, "Label2", 0), RxText(c) + mhz) +
                    Pair(3, Text(page, "Label2", 1),
                         ModShowFreFun::TxFreqDisplay(ModFun::TrimNull(c.RxFreq.Text()),
                                                      ModFun::TrimNull(c.Offset.Text()),
                                                      c.OffsetDir, gHabits.TxAsOffset) +
                             mhz));
        const auto row = [&](int label1, const QString& value1, int label2, const QString& value2) {
            Row r = Pair(1, Text(page, "Label3", label1), value1);
            if (label2 >= 0) r += Pair(3, Text(page, "Label3", label2), value2);
            rows.append(r);
        };
        row(0, ToneText(page, 0, c.RxTone), 1, ToneText(page, 1, c.TxTone));
        row(2, T(15044 + c.TxPower), 3, c.OptSignal == 1 ? T(15043) : T(15030));
        row(4, c.PttId == 0 ? T(15030) : T(15036 + c.PttId), 5, T(15040 + c.Bandwidth));
        row(6, T(15030 + c.BusyLock), 7, T(15034 + c.InvTalkSelect));
        row(8, CallText(c.Call1), 10, CallText(c.Call2));
        row(9, T(15050 + c.SignalRelation), -1, {});
        const auto checks = [&](int box1, int value1, int box2, int value2) {
            Row r = Pair(1, Text(page, "Check1", box1), CheckText(value1));
            if (box2 >= 0) r += Pair(3, Text(page, "Check1", box2), CheckText(value2));
            rows.append(r);
        };
        checks(0, c.ScanSkip, 1, c.Scramble);
        checks(2, c.TxInhibit, 5, c.Whisper);
        checks(3, c.Talkaround, 4, c.Inversion);
        checks(6, c.Compander, -1, 0);
    }
    return rows;
}

} // namespace

// ---- page model ----

void SetPrinter(Platform::Printer* printer) {
    gPrinter = printer;
    gSectionHead = nullptr;
    gBodyTop = 0;
    gInHead = false;
    gBodySize = kTextSize;
}

Platform::Printer& Printer() {
    if (!gPrinter) throw Platform::PrinterError("no printer");
    return *gPrinter;
}

void StartLine() {
    MakeRoom(1);
    gPrtLineY = static_cast<qint32>(std::nearbyint(Printer().CurrentY()));
}

void PrintCell(double x, const QString& text) {
    Platform::Printer& p = Printer();
    p.SetCurrentY(gPrtLineY);
    p.SetCurrentX(x);
    p.Print(text);
}

void PrintPageHeader() {
    Platform::Printer& p = Printer();
    const double w = p.ScaleWidth();
    p.SetFontBold(true);
    // the title centred, smaller where the width is short
    QString title = T(29221);
    if (LargestSize(kTitleSize, [&](double) { return p.TextWidth(title) <= w; }) == 0)
        title = Elide(title, w, false);
    p.SetCurrentY(PercentOf(p.ScaleHeight(), 2));
    p.SetCurrentX((w - p.TextWidth(title)) / 2);
    p.Print(title + kCrLf);

    // the date and time at three quarters of the width, ending inside it;
    // labels at 8 % and values at 25 %, further right where a label needs it
    const QLocale locale = QLocale::system();
    const QString when = locale.toString(QDate::currentDate(), QLocale::ShortFormat) +
                         QStringLiteral("    ") +
                         locale.toString(QTime::currentTime(), QLocale::ShortFormat);
    Body lines{{{{8}, {25}},
                {Pair(0, T(29222), gModelName), Pair(0, T(29223), gBandText),
                 Pair(0, T(29220), QString())}},
               {},
               0,
               {}};
    const double size = LargestSize(
        kTextSize, [&](double) { return p.TextWidth(when) <= w && lines.Place(QString()); });
    if (size == 0) throw PaperTooSmall("the page header does not fit the width");
    p.SetCurrentX(std::min<double>(static_cast<float>(w) * 3.0f / 4.0f, w - p.TextWidth(when)));
    p.Print(when + kCrLf);
    lines.rows.last().last().text = Elide(gDataFileName, w - lines.x[1], true) + kCrLf;
    for (const Row& row : lines.rows)
        PrintRow(lines, row);
    p.SetFontBold(false);
    p.SetFontSize(gBodySize);
}

void PrintPage() {
    Platform::Printer& p = Printer();
    const QString s = QStringLiteral("- ") + QString::number(p.Page()) + QStringLiteral(" -");
    p.SetCurrentX((p.ScaleWidth() - p.TextWidth(s)) / 2);
    p.SetCurrentY(FooterY());
    p.Print(s);
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

    const QString title = T(29250);
    if (n == 0) {
        double x = 0;
        BeginSection([&x, &title] { PrintTitle(x, title, 1); },
                     [&x, &title] { return (x = TitleX(title)) >= 0; }, 0);
        EndSection();
        return;
    }
    HiddenPage hidden(details ? QStringLiteral("FrmCHInfoEdit") : QStringLiteral("frmCommChInfo"),
                      true);
    const QWidget* page = hidden.Page();
    if (details) {
        // a block stays on one page
        Body body{{{{5}, {10}, {30}, {55}, {75}}, ChannelDetailRows(page, list, n)}, {}, 0, {}};
        BeginSection([&body, &title] { PrintTitle(body.titleX, title, 2); },
                     [&body, &title] { return body.Place(title); }, kDetailBlockLines);
        for (qsizetype r = 0; r < body.rows.size(); ++r) {
            if (r % kDetailBlockLines == 0) MakeRoom(kDetailBlockLines);
            PrintRow(body, body.rows[r]);
        }
    } else {
        // a page holds at least as many rows as a detail block: a paper with
        // room for fewer spreads the table over hundreds of pages
        ChannelTable table(page, list, n);
        BeginSection([&table, &title] { table.PrintTableHead(title); },
                     [&table, &title] { return table.Place(title); }, kDetailBlockLines);
        table.PrintRows();
    }
    EndSection();
}

void Prt_Option() {
    // labels end 2 % before their values at 35 % and 75 %
    PrintFeaturePage("FrmOptFeatures", {{33, Align::Right}, {35}, {73, Align::Right}, {75}},
                     [](const QWidget* page) {
                         const auto combo = [page](int column, int i, const QString& after = {}) {
                             return Pair(column, Text(page, "Label1", i),
                                         Text(page, "Combo1", i) + after);
                         };
                         const auto check = [page](int column, int i, const QString& after = {}) {
                             return Pair(column, Text(page, "Check1", i),
                                         CheckText(CheckValue(page, "Check1", i)) + after);
                         };
                         QList<Row> rows;
                         const int pairs[][2] = {{0, 1}, {11, 2}, {3, 4}, {5, 6}};
                         for (const auto& pair : pairs)
                             rows.append(combo(0, pair[0]) + combo(2, pair[1]));
                         rows.append(combo(0, 7) + combo(2, 10, kCrLf));
                         rows.append(check(0, 0));
                         rows.append(combo(0, 8));
                         rows.append(combo(0, 9));
                         rows.append(check(0, 1, kCrLf));
                         for (int i = 2; i <= 4; ++i)
                             rows.append(check(0, i));
                         rows.append(check(2, 5));
                         return rows;
                     });
}

void Prt_DTMF() {
    PrintFeaturePage("FrmDTMF", {{10}, {35}, {55}, {75}}, [](const QWidget* page) {
        const auto pair = [page](int column, const char* label, const char* value, int i) {
            return Pair(column, Text(page, label, i), Text(page, value, i));
        };
        QList<Row> rows;
        rows.append(pair(0, "Label1", "Combo1", 0) + pair(2, "Label1", "Combo1", 1));
        rows.append(pair(0, "Label1", "Combo1", 2) + pair(2, "Label1", "Combo1", 3));
        rows.append(pair(0, "Label1", "Combo1", 4) +
                    Pair(2, Text(page, "Check1"), CheckText(CheckValue(page, "Check1"))));
        rows.append(pair(0, "Label2", "Combo2", 1) + pair(2, "Label2", "Combo2", 4));
        rows.append(pair(0, "Label2", "Combo2", 5) +
                    Pair(2, Text(page, "Label5"), Text(page, "Text3")));
        rows.append(Row()); // two empty lines
        rows.append(pair(0, "Label3", "Text1", 0) + pair(2, "Label3", "Text1", 1));
        rows.append(pair(0, "Label3", "Text1", 2) + pair(2, "Label3", "Text1", 3));
        for (int k = 0; k <= 14; k += 2)
            rows.append(pair(0, "Label4", "Text2", k) + pair(2, "Label4", "Text2", k + 1));
        return rows;
    });
}

void Prt_EMG() {
    PrintFeaturePage("FrmEmbMsg", {{20}}, [](const QWidget* page) {
        QList<Row> rows;
        for (int i = 0; i < 4; ++i)
            rows.append({{0, Text(page, "Text1", i)}});
        return rows;
    });
}

void Prt_Key() {
    PrintFeaturePage("FrmKey", kLabelValue, [](const QWidget* page) {
        const auto row = [page](int i, const QString& after = {}) {
            return Pair(0, Text(page, "Label1", i), Text(page, "Combo1", i) + after);
        };
        const auto heading = [page](const char* frame) { return Row{{0, Text(page, frame)}}; };
        return QList<Row>{row(9), row(10, kCrLf), heading("Frame1"),
                          row(0), row(1, kCrLf),  heading("Frame2"),
                          row(2), row(3)};
    });
}

void Prt_Scan() {
    // the priority channels' values at 45 %
    PrintFeaturePage("FrmScan", {{10}, {35}, {45}}, [](const QWidget* page) {
        const auto row = [page](int i) {
            return Row{{0, Text(page, "Label1", i)}, {1, Text(page, "Combo1", i)}};
        };
        const auto channel = [page](int label, int group, int position) {
            return Row{{0, Text(page, "Label1", label)},
                       {2, Text(page, "Combo1", group) + QStringLiteral("  -  ") +
                               Text(page, "Combo1", position)}};
        };
        QList<Row> rows{row(0), row(1), channel(2, 2, 3), channel(4, 4, 5)};
        for (int i = 6; i <= 10; ++i)
            rows.append(row(i));
        rows.append(Pair(0, Text(page, "Check1"), CheckText(CheckValue(page, "Check1"))));
        return rows;
    });
}

void Prt_Alert() {
    PrintFeaturePage("FrmAlert", kLabelValue, [](const QWidget* page) {
        QList<Row> rows{Pair(0, Text(page, "Label1", 10), Text(page, "Combo1", 10))};
        for (int i = 0; i <= 9; ++i)
            rows.append(Pair(0, Text(page, "Label1", i), Text(page, "Combo1", i)));
        return rows;
    });
}

void Prt_Local() {
    PrintFeaturePage("FrmRadioInfo", kLabelValue, [](const QWidget* page) {
        const auto row = [page](const QString& label, const char* value, int i) {
            return Pair(0, label, Text(page, value, i));
        };
        QList<Row> rows{row(Text(page, "Label2"), "Text1", 0),
                        row(Text(page, "Label1", 8), "Text1", 6),
                        row(Text(page, "Label1", 9), "Text1", 7),
                        row(Text(page, "Label1", 0), "Combo1", 0),
                        row(Text(page, "Label1", 1), "Combo1", 1),
                        row(Text(page, "Label1", 2), "Text1", 1),
                        row(Text(page, "Label1", 3), "Text1", 2),
                        row(Text(page, "Label1", 4), "Text1", 3),
                        row(Text(page, "Label1", 6), "Text1", 5),
                        row(Text(page, "Label1", 5) + QStringLiteral(" ") + Text(page, "Label1", 7),
                            "Text1", 4)};
        // the description goes on in lines under its value, as wide as the page allows
        rows.last().last().wraps = true;
        for (int i = 10; i <= 13; ++i)
            rows.append(row(Text(page, "Label1", i), "Text1", i - 2));
        return rows;
    });
}

} // namespace ModPrint

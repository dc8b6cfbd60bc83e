#include "pages/FrmDTMF.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "data/widgets/FormHelpers.h"
#include "pages/FrmAlert.h"
#include "pages/PageInputs.h"
#include "platform/Forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

using ModFunLang::GetLangText;

namespace {

constexpr int kInputLeft = 3000;
constexpr int kInputWidth = 2400;
constexpr int kInputHeight = 315;
constexpr int kRowHeight = 420;
constexpr int kLabelGap = 100;

int Top(int row) {
    return 240 + row * kRowHeight;
}

// Field numbers of TDtmf::Fields.
enum Field {
    Rate,
    FirstDigitTime,
    FirstDigitDelay,
    StarHashTone,
    DKey,
    SideTone,
    CallAlert,
    GroupCode,
    AutoReset
};

// The timing lists store their number / 50.
QStringList Steps(int from, int to, int step) {
    QStringList items;
    for (int v = from; v <= to; v += step)
        items << QString::number(v);
    return items;
}

QStringList Seconds(const QString& first, int last) {
    QStringList items{first};
    for (int s = 1; s <= last; ++s)
        items << QStringLiteral("%1s").arg(s);
    return items;
}

} // namespace

namespace DtmfRules {

QChar CodeKey(QChar c) {
    if (c.isDigit() && c.unicode() < 128) return c;
    if (c == u'*' || c == u'#') return c;
    if (c >= u'A' && c <= u'D') return c;
    if (c >= u'a' && c <= u'd') return QChar(c.unicode() - 32);
    return {};
}

QString CleanCode(const QString& text) {
    QString clean;
    for (QChar c : text)
        if (const QChar k = CodeKey(c); !k.isNull() && clean.size() < 16) clean += k;
    return clean;
}

void StoreCode(TDtmfCode& code, const QString& text) {
    const QString s = ModFun::TrimNull(text);
    code.Len = static_cast<qint16>(s.size());
    code.Digits.Assign(s);
}

QString ShownCode(const TDtmfCode& code) {
    if (code.Len < 0 || code.Len > 16) return {};
    return code.Digits.Text().left(code.Len);
}

QString CheckedId(const QString& text) {
    if (text.size() > 10 || text.size() < 3) return QStringLiteral("000");
    for (QChar c : text)
        if (c < u'0' || c > u'9') return QStringLiteral("000");
    return text;
}

} // namespace DtmfRules

FrmDTMF::FrmDTMF(QWidget* parent) : FeaturePage({"FrmDTMF", 3300}, parent) {
    setWindowTitle(QStringLiteral("DTMF设置"));
    BuildControls();
    setFixedSize(Px(6000), Px(5160));
    Load();
}

void FrmDTMF::BuildControls() {
    SSTab1 = new QTabWidget(this);
    SetName(SSTab1, "SSTab1");
    SSTab1->setGeometry(Twips(120, 120, 5760, 4260));
    Pages::EnterMovesFocus(SSTab1->tabBar());
    QWidget* tabs[3];
    for (QWidget*& tab : tabs) {
        tab = new QWidget;
        SSTab1->addTab(tab, QString());
    }

    auto addLabel = [](QWidget* tab, const char* name, int index) {
        auto* label = new QLabel(tab);
        SetName(label, name, index);
        return label;
    };
    auto addList = [&](QWidget* tab, const char* name, int index, int row, int help) {
        auto* list = new QComboBox(tab);
        SetName(list, name, index);
        list->setGeometry(Twips(kInputLeft, Top(row), kInputWidth, kInputHeight));
        list->setProperty("HelpContextID", help);
        Pages::EnterMovesFocus(list);
        return list;
    };
    auto addCode = [&](QWidget* tab, const char* name, int index, QRect twips, int help) {
        auto* box = new QLineEdit(tab);
        SetName(box, name, index);
        box->setGeometry(twips);
        box->setMaxLength(16);
        box->setProperty("HelpContextID", help);
        Pages::SetTextKeyRule(box, DtmfRules::CodeKey);
        return box;
    };

    auto& dtmf = gEditData.Settings.Dtmf;
    // first tab: timing, D key, side tone, PTT-ID codes
    for (int i = 0; i < 5; ++i) {
        Combo1[static_cast<std::size_t>(i)] = addList(tabs[0], "Combo1", i, i, 3301 + i);
        Label1[static_cast<std::size_t>(i)] = addLabel(tabs[0], "Label1", i);
    }
    for (int i : {0, 1, 2, 3})
        connect(
            Combo1[static_cast<std::size_t>(i)], &QComboBox::currentIndexChanged, this, [this, i] {
                const int v =
                    ModFun::ValOrDefault(Combo1[static_cast<std::size_t>(i)]->currentText(), -1);
                if (v >= 0)
                    gEditData.Settings.Dtmf.Fields[static_cast<std::size_t>(i)] =
                        static_cast<qint16>(v / 50);
            });
    Check1 = new QCheckBox(tabs[0]);
    SetName(Check1, "Check1");
    Check1->setGeometry(Twips(kInputLeft, Top(5), kInputWidth, kInputHeight));
    Check1->setProperty("HelpContextID", 3306);
    Pages::EnterMovesFocus(Check1);
    connect(Check1, &QCheckBox::toggled, this,
            [](bool on) { gEditData.Settings.Dtmf.Fields[SideTone] = on ? 1 : 0; });

    // second tab: call alert, group code, auto reset, ID, stun and kill
    const struct {
        int index, row, help;
        Field field;
    } lists2[] = {{1, 0, 3309, CallAlert}, {4, 1, 3310, GroupCode}, {5, 2, 3311, AutoReset}};
    for (const auto& l : lists2) {
        auto* list = addList(tabs[1], "Combo2", l.index, l.row, l.help);
        Combo2[static_cast<std::size_t>(l.index)] = list;
        Label2[static_cast<std::size_t>(l.index)] = addLabel(tabs[1], "Label2", l.index);
        const Field field = l.field;
        connect(list, &QComboBox::currentIndexChanged, this, [list, field] {
            if (list->currentIndex() >= 0)
                gEditData.Settings.Dtmf.Fields[field] = static_cast<qint16>(list->currentIndex());
        });
    }
    connect(Combo1[DKey], &QComboBox::currentIndexChanged, this, [this] {
        if (Combo1[DKey]->currentIndex() >= 0)
            gEditData.Settings.Dtmf.Fields[DKey] =
                static_cast<qint16>(Combo1[DKey]->currentIndex());
    });
    Text3 = new QLineEdit(tabs[1]);
    SetName(Text3, "Text3");
    Text3->setGeometry(Twips(kInputLeft, Top(3), kInputWidth, kInputHeight));
    Text3->setMaxLength(10);
    Text3->setProperty("HelpContextID", 3312);
    Text3->installEventFilter(this);
    Pages::SetTextKeyRule(
        Text3, [](QChar c) { return c >= u'0' && c <= u'9' ? c : QChar(); }, [this] { StoreId(); });
    Label5 = addLabel(tabs[1], "Label5", -1);
    Label5->setGeometry(Twips(240, Top(3), kInputLeft - 340, kInputHeight));
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    TDtmfCode* codes[4] = {&dtmf.Bot, &dtmf.Eot, &dtmf.Stun, &dtmf.Kill};
    for (int i = 0; i < 4; ++i) {
        QWidget* tab = i < 2 ? tabs[0] : tabs[1];
        const int row = i < 2 ? 6 + i : 2 + i;
        QLineEdit* box =
            addCode(tab, "Text1", i, Twips(kInputLeft, Top(row), kInputWidth, kInputHeight),
                    3307 + i + (i >= 2 ? 4 : 0));
        Text1[static_cast<std::size_t>(i)] = box;
        Label3[static_cast<std::size_t>(i)] = addLabel(tab, "Label3", i);
        TDtmfCode* code = codes[i];
        connect(box, &QLineEdit::textChanged, this, [this, box, code] { CodeChanged(box, *code); });
    }

    // third tab: the code memories, 1 to 8 on the left, 9 to 16 on the right
    for (int k = 0; k < 16; ++k) {
        const int left = k < 8 ? 240 : 2940;
        QLabel* label = addLabel(tabs[2], "Label4", k);
        label->setGeometry(Twips(left, Top(k % 8), 420, kInputHeight));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Label4[static_cast<std::size_t>(k)] = label;
        QLineEdit* box =
            addCode(tabs[2], "Text2", k, Twips(left + 520, Top(k % 8), 2040, kInputHeight), 3315);
        Text2[static_cast<std::size_t>(k)] = box;
        TDtmfCode* code = &dtmf.Codes[static_cast<std::size_t>(k)];
        connect(box, &QLineEdit::textChanged, this, [this, box, code] {
            CodeChanged(box, *code);
            RefreshCodeLists();
        });
    }

    AddCloseButton(Twips(1200, 4620, 1335, 375));
    AddHelpButton(Twips(3360, 4620, 1335, 375));
}

void FrmDTMF::InitShowList() {
    Pages::FillList(Combo1[Rate], Steps(50, 500, 50));
    Pages::FillList(Combo1[FirstDigitTime], Steps(0, 1000, 100));
    Pages::FillList(Combo1[FirstDigitDelay], Steps(100, 2500, 100));
    Pages::FillList(Combo1[StarHashTone], {"0", "100", "500", "1000"});
    Pages::FillList(Combo1[DKey], Seconds(GetLangText(18040), 16));
    const QString off = GetLangText(18043);
    Pages::FillList(Combo2[1], {off, GetLangText(18044), GetLangText(18045)});
    Pages::FillList(Combo2[4], {off, "A", "B", "C", "D", "*", "#"});
    Pages::FillList(Combo2[5], Seconds(off, 15));
}

void FrmDTMF::ChangShowByLanguage() {
    setWindowTitle(GetLangText(18000));
    constexpr auto kTabs = ModFunLang::LangIds(18002, 18003, 18004);
    for (int t = 0; t < 3; ++t)
        SSTab1->setTabText(t, GetLangText(kTabs[static_cast<std::size_t>(t)]));
    auto place = [](QLabel* label, const QWidget* input, qint32 text) {
        label->setText(GetLangText(text));
        label->adjustSize();
        label->move(input->x() - label->width() - Px(kLabelGap),
                    input->y() + (input->height() - label->height()) / 2);
    };
    constexpr auto kLabel1 = ModFunLang::LangIds(18005, 18006, 18007, 18008, 18009);
    for (std::size_t i = 0; i < 5; ++i)
        place(Label1[i], Combo1[i], kLabel1[i]);
    Check1->setText(GetLangText(18030));
    place(Label2[1], Combo2[1], 18011);
    place(Label2[4], Combo2[4], 18014);
    place(Label2[5], Combo2[5], 18015);
    constexpr auto kLabel3 = ModFunLang::LangIds(18016, 18017, 18018, 18019);
    for (std::size_t i = 0; i < 4; ++i)
        place(Label3[i], Text1[i], kLabel3[i]);
    for (std::size_t k = 0; k < 16; ++k)
        Label4[k]->setText(QString::number(k + 1));
    Label5->setText(GetLangText(18022));
}

void FrmDTMF::ShowPageData() {
    SSTab1->setCurrentIndex(0);
    TDtmf d = gEditData.Settings.Dtmf; // corrections here are not stored by themselves
    for (int i : {Rate, FirstDigitTime, FirstDigitDelay, StarHashTone})
        Pages::ChooseText(Combo1[static_cast<std::size_t>(i)],
                          QString::number(d.Fields[static_cast<std::size_t>(i)] * 50));
    Pages::ChooseIndex(Combo1[DKey], d.Fields[DKey]);
    Pages::ChooseIndex(Combo2[1], d.Fields[CallAlert]);
    Pages::ChooseIndex(Combo2[4], d.Fields[GroupCode]);
    Pages::ChooseIndex(Combo2[5], d.Fields[AutoReset]);
    int side = d.Fields[SideTone];
    ModFun::SetCheckValue(Check1, side);
    // a value above 1 shows clear, and is kept as the box shows it
    gEditData.Settings.Dtmf.Fields[SideTone] = static_cast<qint16>(side);
    const int idLen = d.IdLen > 10 || d.IdLen < 3 ? 3 : d.IdLen;
    Text3->setText(d.Id.Text().left(idLen));
    const TDtmfCode* codes[4] = {&d.Bot, &d.Eot, &d.Stun, &d.Kill};
    for (std::size_t i = 0; i < 4; ++i)
        Text1[i]->setText(DtmfRules::ShownCode(*codes[i]));
    for (std::size_t k = 0; k < 16; ++k)
        Text2[k]->setText(DtmfRules::ShownCode(d.Codes[k]));
}

void FrmDTMF::CodeChanged(QLineEdit* box, TDtmfCode& code) {
    const QString clean = DtmfRules::CleanCode(box->text());
    if (clean != box->text()) {
        // pasted text: only what a code can hold stays; the change stores it
        const QSignalBlocker quiet(box);
        box->setText(clean);
    }
    DtmfRules::StoreCode(code, clean);
}

void FrmDTMF::StoreId() {
    const QString id = DtmfRules::CheckedId(Text3->text());
    if (id != Text3->text()) Text3->setText(id);
    auto& dtmf = gEditData.Settings.Dtmf;
    dtmf.IdLen = static_cast<qint16>(id.size());
    dtmf.Id.Assign(id);
}

// An ID the user did not edit is left as it is stored.
void FrmDTMF::ValidateControls() {
    if (focusWidget() == Text3 && Text3->isModified()) StoreId();
}

bool FrmDTMF::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text3) {
        if (event->type() == QEvent::FocusOut && Text3->isEnabled()) StoreId();
        if (event->type() == QEvent::FocusIn && !Text3->text().isEmpty()) Text3->selectAll();
    }
    return FeaturePage::eventFilter(watched, event);
}

// The lists that name a code memory follow its edit: the call lists of the
// channel detail editor and, while its ID type names a memory, the alert
// page's ID number list.
void FrmDTMF::RefreshCodeLists() {
    for (const char* name : {"FrmCHInfoEdit", "FrmAlert"})
        for (Views::CodeMemoryLists* window :
             Platform::Forms::AllAs<Views::CodeMemoryLists>(QLatin1String(name)))
            window->RefreshCodeMemoryLists();
}

#include "pages/FrmEmbMsg.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "pages/PageInputs.h"

#include <QLineEdit>
#include <QValidator>

namespace {

constexpr int kLineLength = 16;

// Keeps a line to the printable characters 32 to 126 whichever way they
// arrive (typed, pasted from the box's menu, dropped): the radio shows
// single-byte text, and a tab or DEL would be kept unseen.
class Printable final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        QString kept;
        int keptPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (input[i].unicode() < 32 || input[i].unicode() > 126) continue;
            kept += input[i];
            if (i < pos) ++keptPos;
        }
        input = kept;
        pos = keptPos;
        return Acceptable;
    }
};

} // namespace

FrmEmbMsg::FrmEmbMsg(QWidget* parent) : FeaturePage({"FrmEmbMsg", 3700}, parent) {
    setWindowTitle(QStringLiteral("嵌入信息"));
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit(this);
        SetName(box, "Text1", i);
        box->setGeometry(Twips(600, 300 + 480 * i, 3000, 360));
        box->setMaxLength(kLineLength);
        Pages::SetTextKeyRule(box, [](QChar c) { return c; });
        box->setValidator(new Printable(box));
        connect(box, &QLineEdit::textChanged, this, [i](const QString& text) {
            StoreLine(gEditData.Settings.EmbMsg[static_cast<std::size_t>(i)], text);
        });
        Text1[static_cast<std::size_t>(i)] = box;
    }
    AddCloseButton(Twips(600, 2400, 1335, 375));
    AddHelpButton(Twips(2265, 2400, 1335, 375));
    setFixedSize(Px(4200), Px(3100));
    Load();
}

void FrmEmbMsg::StoreLine(FixedText<16>& line, const QString& text) {
    if (text.size() < kLineLength)
        line.Assign(text + QChar(u'\0'));
    else
        line.Assign(text.left(kLineLength));
}

void FrmEmbMsg::ChangShowByLanguage() {
    setWindowTitle(ModFunLang::GetLangText(20000));
}

void FrmEmbMsg::ShowPageData() {
    // a line that shows as the box already does raises no change, so it keeps
    // its stored form
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        const QString text = ModFun::TrimNull(gEditData.Settings.EmbMsg[i].Text());
        if (text != Text1[i]->text()) Text1[i]->setText(text);
    }
}

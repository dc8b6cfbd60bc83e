#pragma once

#include "pages/FeaturePage.h"
#include "platform/Forms.h"

#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
struct TDtmfCode;

// The rules of the DTMF page, apart from the page.
namespace DtmfRules {

// What a typed key puts into a code box: "0"-"9", "*", "#" and "A"-"D" as
// they are, "a"-"d" as "A"-"D"; QChar() drops the key.
QChar CodeKey(QChar c);
// A code text with every character a code box does not take left out (text
// pasted from the box's menu), lower-case a-d raised, cut to 16 characters.
QString CleanCode(const QString& text);
// The code text as stored: its length and its characters, blank-padded.
void StoreCode(TDtmfCode& code, const QString& text);
// What a code box shows: the first Len characters; nothing for a length
// outside 0..16.
QString ShownCode(const TDtmfCode& code);
// The ID as stored: 3 to 10 digits, else "000".
QString CheckedId(const QString& text);

} // namespace DtmfRules

// The DTMF page: digit timing, D key, side tone, call alert, group code, auto
// reset, the own ID, the PTT-ID, stun and kill codes and the 16 code memories
// (TDtmf of gEditData). An edit of a code memory refreshes the call lists of
// an open channel detail editor and the ID number list of an open alert page.
//
// Controls: SSTab1 with three tabs; Combo1 (0..4), Label1 (0..4), Check1,
// Text1 (0 BOT, 1 EOT, 2 stun, 3 kill), Label3 (0..3) on the first two tabs;
// Combo2 (1, 4, 5), Label2 (1, 4, 5), Text3 and Label5 (the ID); Text2 (0..15)
// and Label4 (0..15), the memories, on the third; CommandClose, CommandHelp.
class FrmDTMF final : public Pages::FeaturePage, public Platform::Forms::Committing {
    Q_OBJECT
public:
    explicit FrmDTMF(QWidget* parent = nullptr);

    // The write command's commit: the ID box stores what it holds when it
    // has the focus.
    void ValidateControls() override;

private:
    void BuildControls();
    void InitShowList() override;
    void ChangShowByLanguage() override;
    void ShowPageData() override;
    void StoreId();
    void CodeChanged(QLineEdit* box, TDtmfCode& code);
    void RefreshCodeLists();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QTabWidget* SSTab1 = nullptr;
    std::array<QComboBox*, 5> Combo1{};
    std::array<QLabel*, 5> Label1{};
    std::array<QComboBox*, 6> Combo2{}; // 1, 4 and 5
    std::array<QLabel*, 6> Label2{};
    std::array<QLineEdit*, 4> Text1{};
    std::array<QLabel*, 4> Label3{};
    std::array<QLineEdit*, 16> Text2{};
    std::array<QLabel*, 16> Label4{};
    QLineEdit* Text3 = nullptr;
    QLabel* Label5 = nullptr;
    QCheckBox* Check1 = nullptr;
};

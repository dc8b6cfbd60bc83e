#pragma once

#include "data/Views.h"
#include "pages/FeaturePage.h"

#include <QStringList>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;

// The rules of the key functions, apart from the page.
namespace KeyRules {

inline constexpr int kFunctionCount = 23;
inline constexpr int kScanFunction = 8; // allowed only while scanning is on
inline constexpr int kVoxFunction = 22; // allowed only while VOX is on
inline constexpr int kNeverOffered = 21;

// The function codes a key list offers, in list order.
QList<int> OfferedCodes(bool shortPress);

// What a choice in a key list comes to: the text the list shows then and the
// code stored for it (its place among the function names; the lower code when
// two names are equal).
struct Choice {
    QString text;
    int code = 0;
};
Choice Choose(const QStringList& functionNames, const QString& chosen, const QString& firstEntry,
              int scanMode, bool voxOn);

} // namespace KeyRules

// The programmable keys page: the functions of PF1 and PF2 on a long and a
// short press, the long-press time and the emergency long-press time
// (TKeySetting of gEditData).
//
// Controls: Combo1 (0 PF1 long, 1 PF1 short, 2 PF2 long, 3 PF2 short, 9 and
// 10 the two times), Label1 of the same indexes, Frame1 (PF1), Frame2 (PF2),
// the hidden list of all function names Combo2, CommandClose, CommandHelp.
class FrmKey final : public Pages::FeaturePage, public Views::KeyPage {
    Q_OBJECT
public:
    explicit FrmKey(QWidget* parent = nullptr);

    // Shows the stored functions of the four key lists again (each shown
    // function is handled as a choice).
    void ShowKeyFunctions() override;

private:
    void BuildControls();
    void InitShowList() override;
    void ChangShowByLanguage() override;
    void ShowPageData() override;
    void KeyChosen(int list);
    void TimeChosen(int list);

    std::array<QComboBox*, 11> Combo1{};
    std::array<QLabel*, 11> Label1{};
    QComboBox* Combo2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
};

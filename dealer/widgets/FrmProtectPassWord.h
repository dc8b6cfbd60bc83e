#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Halbrek {

// The protect question and answer, modal: in "new" mode the user sets a new
// pair, in "ask" mode answers the radio's question. OK leaves the typed pair
// in gProtectInfo and sets gProtectOK.
class FrmProtectPassWord : public QDialog {
    Q_OBJECT
public:
    explicit FrmProtectPassWord(QWidget* parent = nullptr);

    std::array<QLabel*, 2> Label1{};
    std::array<QLineEdit*, 2> Text1{};
    QPlainTextEdit* Text2 = nullptr;
    std::array<QPushButton*, 2> Command1{};

private:
    void Form_Load();
    void Command1_Click(int index);
};

} // namespace Halbrek

#pragma once

#include "data/RadioData.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

// The factory test-data dialog: bytes 0 to 10 of the 16-byte test block as
// numbers 0 to 255, loaded from and saved to ".ted" files, handed to
// gEditTestBlock on OK. Its captions are its own, not language texts, but for
// the note shown while the configuration holds no test block of its own; the
// boxes are then empty until the user types or loads the values.
//
// Controls: Text1 (0..10), Label1 (0..10), Command1 (0 Load, 1 Save),
// CommandOK, CommandCancel, LabelNoBlock (the note, or null).
class FrmTestData final : public QDialog {
    Q_OBJECT
public:
    explicit FrmTestData(QWidget* parent = nullptr);

    // What a box shows for its text: "0" for anything that is not a number,
    // else the whole number held to 0..255, written plainly.
    static QString CorrectByte(const QString& text);
    // The file a test block is saved in for a chosen name: ".ted" is added
    // to a name without an extension.
    static QString TestFileTarget(const QString& chosen);
    // Whether a test block may be saved in the file: only a ".ted" file (also
    // at the end of its links) that does not hold a configuration.
    static bool MaySaveTo(const QString& path);

    void LoadFile();
    void SaveFile();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetLanguageCaptions();
    void ShowTestData();
    void ReadTestData();
    int EmptyBoxes() const;
    // Whether every box holds a value; otherwise the user is told.
    bool IsFilledIn() const;
    QString Filter() const;

    std::array<QLineEdit*, 11> Text1{};
    std::array<QLabel*, 11> Label1{};
    std::array<QPushButton*, 2> Command1{};
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
    QLabel* LabelNoBlock = nullptr;
    TTestBlock work_{};
    QString fileTitle_;
};

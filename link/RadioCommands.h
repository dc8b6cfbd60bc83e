#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// The Read, Write and radio-information commands of the main window: the
// main window owns one and calls these from its menu items and toolbar.
class RadioCommands : public QObject {
    Q_OBJECT
public:
    explicit RadioCommands(QObject* parent = nullptr);
    ~RadioCommands() override;

    // Read: commits the pending edits, tests the port, asks, reads.
    void mnuReadFromRadio_Click();
    // Write: commits the pending edits; the write goes on 100 ms later.
    void mnuWriteToRadio_Click();
    void WaitSaveDataTimer_Timer();
    // Radio information: unloads an open information page, then reads.
    void mnuRadioInfo_Click();
    void ReadRMGDataFromRadio();
    // End of a read: decodes the image, "new.dat", reopens the grid page.
    void ReadOKTimer_Timer();

    QTimer WaitSaveDataTimer;
    QTimer ReadOKTimer;
    // The codec steps: gEditData into the image before a write, the image
    // into gEditData after a read. A step that fails (std::out_of_range)
    // leaves the data as it was and sends nothing; another step can be put
    // in to see that.
    std::function<void()> EncodeStep;
    std::function<void()> DecodeStep;
};

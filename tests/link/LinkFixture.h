#pragma once

#include "SimRadio.h"
#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFreFile.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "link/HeadlessHost.h"
#include "link/ModComm.h"
#include "link/RadioCommands.h"
#include "platform/serial/SerialControl.h"
#include "platform/serial/SerialPorts.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline const int kTestPort = TestSupport::TestPort();

// A program with a simulated radio on port 7 of a link folder.
class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        ModComm::ResetSession();
        ASSERT_TRUE(linkDir.isValid());
        // No port to search unless a test lists some.
        Platform::SerialPorts::SetGivenPorts(QList<int>{});
        ASSERT_TRUE(radio.Start(linkDir.path(), kTestPort));
        SimRadio::Setup setup;
        setup.band = static_cast<quint8>(ModFreFile::BandTextToCode(gBandText));
        radio.Configure(setup);
        gComPort = kTestPort;
        gCurrentLanguage = 1; // a test may switch to Chinese
        gHandshaking = 0;
        gStopBit = 1;
        ModComm::SetSessionHost(&host);
        ModVerionMana::gVersionTable.Pairs = {{QStringLiteral("V200"), QStringLiteral("V200")}};
        gProgPassword.clear();
        gIdentFlags.fill(0);
        gSavedIdentFlags.fill(0);
    }

    void TearDown() override {
        ModComm::WaitTimer().setInterval(ModComm::kReplyTimeoutMs);
        ModComm::SetSessionHost(nullptr);
        ModComm::ResetSession();
        radio.Stop();
        Platform::SerialPorts::SetGivenPorts(std::nullopt);
    }

    // Runs the event loop until the engine is idle (or the time is up).
    static bool WaitIdle(int ms = 15000) {
        return TestSupport::WaitFor([] { return gCommType == 0; }, ms);
    }

    // Runs the event loop until the condition holds (the radio answers on a
    // thread of its own) or the time is up.
    static bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
        return TestSupport::WaitFor(condition, ms);
    }

    // A read from the Read command to the decoded record.
    void Read() {
        commands.mnuReadFromRadio_Click();
        ASSERT_TRUE(WaitIdle());
        if (commands.ReadOKTimer.isActive()) commands.ReadOKTimer_Timer();
    }

    void Write() {
        commands.mnuWriteToRadio_Click();
        ASSERT_TRUE(commands.WaitSaveDataTimer.isActive());
        commands.WaitSaveDataTimer_Timer();
        ASSERT_TRUE(WaitIdle());
    }

    void Update(const std::function<void(SimRadio::Setup&)>& change) {
        SimRadio::Setup setup = radio.CurrentSetup();
        change(setup);
        radio.Configure(setup);
    }

    QByteArray ImageBytes() const {
        return QByteArray(reinterpret_cast<const char*>(gImage.data()), kImageSize);
    }
    QByteArray InfoBytes() const {
        return QByteArray(reinterpret_cast<const char*>(gRadioInfoImage.data()), kRadioInfoSize);
    }

    int Shown(int textId) const { return messages.CountOf(ModFunLang::GetLangText(textId)); }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    TestSupport::LinkFolder linkDir;
    SimRadio radio;
    HeadlessHost host;
    RadioCommands commands;
};

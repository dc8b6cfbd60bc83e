#include "link/ModTestComm.h"

#include "data/ModFun.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "link/ModComm.h"
#include "platform/serial/SerialControl.h"
#include "platform/serial/SerialPorts.h"

#include <QTimer>

namespace ModTestComm {

int gSearchSavedType = 0;
QString gSearchSavedCaption;
std::array<QString, 3> gSearchCaptions;
std::array<int, 256> gSearchPorts{};
int gSearchPortCount = 0;
int gSearchPortIndex = 0;
int gSearchPort = 0;
int gSearchHandshaking = 0;
int gSearchStopBit = 1;
bool gSearchFallbackSet = false;
Setting gSearchFallback;
bool gSearchAdopted = false;

namespace {

// The step of the interrupted session.
int& SavedStep() {
    return gSearchSavedType == 2 ? gWriteStep : gReadStep;
}

// The caption of the progress dialog in the current language.
QString SearchCaption() {
    const int language = gCurrentLanguage == 2 ? 2 : 1;
    return gSearchCaptions[language];
}

void Adopt() {
    gCommType = gSearchSavedType;
    if (gCommType == 2) {
        gWriteStep = 2;
        gReadStep = 0;
    } else {
        gReadStep = 2;
        gWriteStep = 0;
    }
    gComPort = static_cast<qint16>(gSearchPort);
    gHandshaking = static_cast<qint16>(gSearchHandshaking);
    gStopBit = static_cast<qint16>(gSearchStopBit);
    gSearchAdopted = true;
    SaveCommSettings();
    ModComm::Host().SetProgressCaption(gSearchSavedCaption);
    // A resumed write honours the radio's write protection as its own
    // identification would have.
    if (ModComm::RefuseProtectedWrite()) return;
    ModComm::NextStep();
}

} // namespace

void StartSearch() {
    gSearchSavedType = gCommType;
    gCommType = 9;
    gSearchFallbackSet = false;

    gSearchCaptions[0].clear();
    gSearchCaptions[1] =
        QStringLiteral("Search for communication setting,please wait for a few minutes...");
    gSearchCaptions[2] = QStringLiteral("正在匹配串口配置，可能需要几分钟，请等待。。。");
    gSearchSavedCaption = ModComm::Host().ProgressCaption();
    ModComm::Host().SetProgressCaption(SearchCaption());

    ModComm::MSComm1().Close();

    if (gFixedPortList) {
        gSearchPortCount = 16;
        for (int i = 0; i < 16; ++i)
            gSearchPorts[i] = i + 1;
    } else {
        ListSerialPorts(gSearchPorts, gSearchPortCount);
    }
    if (gSearchPortCount == 0) {
        EndSearch();
        return;
    }
    gSearchPortIndex = 0;
    gSearchHandshaking = 0;
    gSearchStopBit = 1;
    TryNextSetting(false);
}

void TryNextSetting(bool advance) {
    if (advance) {
        if (++gSearchHandshaking > 3) {
            gSearchHandshaking = 0;
            if (++gSearchStopBit > 2) {
                gSearchStopBit = 1;
                if (++gSearchPortIndex >= gSearchPortCount) {
                    EndSearch();
                    return;
                }
            }
        }
    }
    gSearchPort = gSearchPorts[gSearchPortIndex];
    // A port that cannot be opened is left at once, without its other settings.
    while (!OpenCommWith(gSearchPort, gSearchHandshaking, gSearchStopBit)) {
        if (gSearchPortIndex + 1 >= gSearchPortCount) {
            EndSearch();
            return;
        }
        ++gSearchPortIndex;
        gSearchPort = gSearchPorts[gSearchPortIndex];
        gSearchHandshaking = 0;
        gSearchStopBit = 1;
    }
    RestartHandshake();
}

bool OpenCommWith(int port, int handshaking, int stopBit) {
    ModComm::gReplyExpected = false;
    Platform::SerialControl& comm = ModComm::MSComm1();
    comm.Close();
    comm.SetCommPort(port);
    comm.SetHandshaking(handshaking);
    if (!comm.SetSettings(QStringLiteral("9600,N,8,%1").arg(stopBit))) return false;
    comm.SetInputLen(0);
    comm.SetRThreshold(1);
    return comm.Open();
}

void SendHandshake() {
    if (gCommType == 1 || gCommType == 3 || gCommType == 9) {
        gReadStep = 1;
        gWriteStep = 0;
    } else if (gCommType == 2) {
        gWriteStep = 1;
        gReadStep = 0;
    } else {
        gCommType = 0;
        gReadStep = 0;
        gWriteStep = 0;
    }
    ModComm::SendHandshake();
}

void RestartHandshake() {
    ModComm::gHandshakeCount = 0;
    SendHandshake();
}

void OnSearchReply() {
    ModComm::WaitTimer().stop();
    if (gCommType != 9) return;
    if (gReadStep == 1) {
        gReadStep = 3;
        ModComm::SendIdentify();
    } else if (gReadStep == 3) {
        if (IsSameModel())
            Adopt();
        else
            TryNextSetting(true);
    }
}

void OnSearchTimeout() {
    if (gReadStep == 1) {
        if (++ModComm::gHandshakeCount > 3)
            TryNextSetting(true);
        else
            SendHandshake();
    } else if (gReadStep == 2 || gReadStep == 3) {
        TryNextSetting(true);
    }
}

bool IsSameModel() {
    ModComm::WaitTimer().stop();
    if (ModFun::TrimNull(gModelName) == ModFun::TrimNull(ModComm::gRadioModel)) return true;
    if (!gSearchFallbackSet) {
        gSearchFallback = {gSearchPort, gSearchHandshaking, gSearchStopBit};
        gSearchFallbackSet = true;
    }
    return false;
}

void SaveCommSettings() {
    ModSettings::SaveSetupKeys({{QStringLiteral("comPort"), gComPort},
                                {QStringLiteral("Handshaking"), gHandshaking},
                                {QStringLiteral("StopBit"), gStopBit}});
    if (auto* main = Views::Open<Views::MainWindow>()) main->ShowComPort();
}

void EndSearch() {
    gCommType = gSearchSavedType;
    gSearchAdopted = false;
    ModComm::Host().SetProgressCaption(gSearchSavedCaption);
    // The port the search left open is not the user's: nothing more goes to it.
    ModComm::MSComm1().Close();
    if (gSearchFallbackSet) {
        gComPort = static_cast<qint16>(gSearchFallback.port);
        gHandshaking = static_cast<qint16>(gSearchFallback.handshaking);
        gStopBit = static_cast<qint16>(gSearchFallback.stopBit);
        SavedStep() = 1;
        SaveCommSettings();
        if (OpenCommWith(gComPort, gHandshaking, gStopBit)) {
            // The handshake count goes on: if this radio falls silent now, the
            // next time-out searches again.
            ModComm::SendHandshake();
            return;
        }
    }
    ModComm::AskRetry(true);
}

void ListSerialPorts(std::array<int, 256>& ports, int& count) {
    count = 0;
    for (int port : Platform::SerialPorts::ListPorts()) {
        if (count >= static_cast<int>(ports.size())) break;
        ports[count++] = port;
    }
}

} // namespace ModTestComm

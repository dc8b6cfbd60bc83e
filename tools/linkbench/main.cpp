// corvan-linkbench: times a full read and a full write against the simulated
// radio on a pseudo-terminal, paced at 9600 baud and unpaced, and prints how
// much the program adds to each exchange beyond the radio and the line.
#include "SimRadio.h"
#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFreFile.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "link/HeadlessHost.h"
#include "link/ModComm.h"
#include "link/RadioCommands.h"
#include "platform/MsgBox.h"
#include "platform/serial/SerialPorts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Every question is answered with OK (or Yes).
class AnswerOK final : public Platform::MessageService {
public:
    int Show(const QString&, int style, const QString&) override {
        return Platform::Mb::Buttons(style) == Platform::Mb::YesNo ? Platform::Mb::IdYes
                                                                   : Platform::Mb::IdOK;
    }
};

// Bytes on the line for one session: every frame and every reply.
int LineBytes(bool write) {
    const int blocks = 177;
    const int handshake = 7 + 3, ident = 1 + 16, settings = 4 + 22, end = 3 + 1;
    const int perBlock = write ? 22 + 1 : 4 + 22;
    return handshake + ident + settings + blocks * perBlock + end;
}

constexpr int kExchanges = 1 + 1 + 1 + 177 + 1;

struct Result {
    double seconds = 0;
    bool ok = false;
    // Milliseconds per exchange, from the radio's timeline: beyond the line
    // while the frame comes in, beyond the line while the reply goes out, and
    // from the end of a reply to the next frame (the program's turn).
    double frameMs = 0;
    double replyMs = 0;
    double programMs = 0;
    // Milliseconds before the first frame and after the last reply.
    double startMs = 0;
    double endMs = 0;
    // The typical exchange: the median of what each took beyond the line, in ms.
    double medianMs = 0;
};

void Split(Result& r, const std::vector<SimRadio::Exchange>& timeline, bool paced,
           int64_t startedAt, int64_t endedAt) {
    if (timeline.empty()) return;
    r.startMs = double(timeline.front().frameAt - startedAt) / 1000.0;
    r.endMs = double(endedAt - timeline.back().replyEnd) / 1000.0;
    const double byteUs = paced ? SimRadio::kByteMicroseconds : 0.0;
    double frame = 0, reply = 0, program = 0;
    std::vector<double> beyond;
    for (std::size_t i = 0; i < timeline.size(); ++i) {
        const SimRadio::Exchange& e = timeline[i];
        const double in = double(e.replyStart - e.frameAt) - e.frameBytes * byteUs;
        const double out = double(e.replyEnd - e.replyStart) - e.replyBytes * byteUs;
        frame += in;
        reply += out;
        if (i + 1 < timeline.size()) {
            const double turn = double(timeline[i + 1].frameAt - e.replyEnd);
            program += turn;
            beyond.push_back(in + out + turn);
        }
    }
    if (!beyond.empty()) {
        std::nth_element(beyond.begin(), beyond.begin() + beyond.size() / 2, beyond.end());
        r.medianMs = beyond[beyond.size() / 2] / 1000.0;
    }
    const double n = double(timeline.size()) * 1000.0;
    r.frameMs = frame / n;
    r.replyMs = reply / n;
    r.programMs = program / n;
}

Result RunSession(SimRadio& radio, RadioCommands& commands, bool write) {
    radio.ClearTimeline();
    const int64_t startedAt = SimRadio::NowMicros();
    QElapsedTimer timer;
    timer.start();
    if (write) {
        commands.WaitSaveDataTimer_Timer();
    } else {
        commands.mnuReadFromRadio_Click();
    }
    QDeadlineTimer deadline(60000);
    while (gCommType != 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    Result r;
    r.seconds = timer.nsecsElapsed() / 1e9;
    const int64_t endedAt = SimRadio::NowMicros();
    r.ok = gCommType == 0;
    commands.ReadOKTimer.stop();
    Split(r, radio.Timeline(), radio.CurrentSetup().paced, startedAt, endedAt);
    return r;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    qputenv(Platform::SerialPorts::kLinkDirVariable, dir.path().toLocal8Bit());
    SimRadio radio;
    if (!radio.Start(dir.path(), 1)) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    radio.SetMemory(0xB00, QByteArray("KL740\0\0", 7));
    radio.SetMemory(0xB08, "V200");
    AnswerOK answers;
    Platform::SetMessageService(&answers);
    HeadlessHost host;
    ModComm::SetSessionHost(&host);
    RadioCommands commands;
    gComPort = 1;
    // The radio reports the program's model and band; every data version
    // pairs with this program's for the benchmark.
    SimRadio::Setup setup;
    setup.band = static_cast<quint8>(ModFreFile::BandTextToCode(gBandText));
    ModVerionMana::gVersionTable.Pairs = {{QStringLiteral("V200"), QStringLiteral("V200")}};

    const double byteSeconds = SimRadio::kByteMicroseconds / 1e6;
    std::printf("%-6s %-7s %10s %12s %14s %16s %8s %8s %8s %8s %8s %10s\n", "", "line", "session s",
                "line floor s", "over floor %", "ms per exchange", "frame", "reply", "program",
                "start ms", "end ms", "median %");
    bool allOk = true;
    for (bool paced : {true, false}) {
        setup.paced = paced;
        radio.Configure(setup);
        for (bool write : {false, true}) {
            Result best;
            best.seconds = 1e9;
            for (int i = 0; i < rounds; ++i) {
                const Result r = RunSession(radio, commands, write);
                allOk = allOk && r.ok;
                if (r.seconds < best.seconds) best = r;
            }
            const double floor = paced ? LineBytes(write) * byteSeconds : 0.0;
            const double perExchangeMs = (best.seconds - floor) * 1000.0 / kExchanges;
            std::printf(
                "%-6s %-7s %10.3f %12.3f %14.2f %16.3f %8.3f %8.3f %8.3f %8.1f %8.1f %10.2f\n",
                write ? "write" : "read", paced ? "9600" : "unpaced", best.seconds, floor,
                paced ? (best.seconds - floor) * 100.0 / floor : 0.0, perExchangeMs, best.frameMs,
                best.replyMs, best.programMs, best.startMs, best.endMs,
                paced ? best.medianMs * kExchanges * 100.0 / (floor * 1000.0) : 0.0);
        }
    }
    std::printf("%d exchanges per session; best of %d rounds; the unpaced rows are the "
                "program, the pseudo-terminal and the radio together.\n"
                "frame, reply: ms per exchange the radio took beyond the line while a frame "
                "came in and while its reply went out; program: ms from the end of a reply "
                "to the next frame; median %%: the typical exchange's time beyond the line, "
                "for every exchange, over the floor (steady on a loaded machine).\n",
                kExchanges, rounds);
    ModComm::SetSessionHost(nullptr);
    radio.Stop();
    return allOk ? 0 : 1;
}

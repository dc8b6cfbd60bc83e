// corvan-simradio: a simulated KL740 on a pseudo-terminal, offered as port
// "com<N>" in the link folder, for trying Corvan without a radio.
#include "SimRadio.h"
#include "platform/serial/SerialPorts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> gStop{false};

void OnSignal(int) {
    gStop = true;
}

// SIGUSR1 takes the radio off the cable, or puts one on it again.
std::atomic<int> gSwaps{0};

void OnSwap(int) {
    ++gSwaps;
}

// "ADDR" or "ADDR:COUNT", the address in hexadecimal; the count -1 (always)
// when left out.
bool ParseFault(const QString& text, int& address, int& count) {
    const QStringList parts = text.split(QLatin1Char(':'));
    bool ok = false;
    address = parts[0].toInt(&ok, 16);
    if (!ok) return false;
    count = -1;
    if (parts.size() > 1) count = parts[1].toInt(&ok);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated KL740 radio on a pseudo-terminal. It answers on the "
                       "port COM<N> of the link folder until it is stopped with Ctrl+C."));
    parser.addHelpOption();
    const QList<QCommandLineOption> options = {
        {QStringLiteral("port"), QStringLiteral("Port number it is offered as (default 1)."),
         QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("dir"),
         QStringLiteral("Link folder (default: $%1).")
             .arg(QLatin1String(Platform::SerialPorts::kLinkDirVariable)),
         QStringLiteral("folder")},
        {QStringLiteral("model"), QStringLiteral("Model name (default KL740)."),
         QStringLiteral("name"), QStringLiteral("KL740")},
        {QStringLiteral("band"), QStringLiteral("Band code (default 1)."), QStringLiteral("code"),
         QStringLiteral("1")},
        {QStringLiteral("version"), QStringLiteral("Data version (default V200)."),
         QStringLiteral("stamp"), QStringLiteral("V200")},
        {QStringLiteral("flags"), QStringLiteral("Identification flags byte (default 0)."),
         QStringLiteral("byte"), QStringLiteral("0")},
        {QStringLiteral("password"), QStringLiteral("Programming password, up to 4 characters."),
         QStringLiteral("text")},
        {QStringLiteral("memory"),
         QStringLiteral("File holding the radio's memory from 0x000; loaded at start when it "
                        "exists and saved when the radio stops. Given several times, one radio "
                        "per file: each SIGUSR1 that puts a radio on the cable puts the next."),
         QStringLiteral("file")},
        {QStringLiteral("paced"), QStringLiteral("Bytes take their real time at 9600 baud.")},
        {QStringLiteral("silent"), QStringLiteral("Answers nothing.")},
        {QStringLiteral("ignore-handshakes"), QStringLiteral("Leaves the first N handshakes."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("drop"), QStringLiteral("Leaves blocks at ADDR (hex) unanswered."),
         QStringLiteral("ADDR[:COUNT]")},
        {QStringLiteral("corrupt"), QStringLiteral("Bad checksum in replies for ADDR (hex)."),
         QStringLiteral("ADDR[:COUNT]")},
        {QStringLiteral("misaddress"),
         QStringLiteral("Answers reads at ADDR (hex) with the block after it."),
         QStringLiteral("ADDR[:COUNT]")},
        {QStringLiteral("resend"),
         QStringLiteral("Answers \"send again\" to writes at ADDR (hex)."),
         QStringLiteral("ADDR[:COUNT]")},
        {QStringLiteral("resend-read"),
         QStringLiteral("Answers \"send again\" to read requests at ADDR (hex)."),
         QStringLiteral("ADDR[:COUNT]")},
        {QStringLiteral("data-for-writes"),
         QStringLiteral("Answers each write with the block's data, as a read, storing nothing.")},
        {QStringLiteral("resend-end"),
         QStringLiteral("Answers \"send again\" to the first N \"END\"s (-1: every one)."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("split"), QStringLiteral("Sends each reply in N pieces."),
         QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("noise"), QStringLiteral("A stray byte follows each reply.")},
        {QStringLiteral("echo"), QStringLiteral("The cable echoes what the program sends.")},
        {QStringLiteral("handshaking"),
         QStringLiteral("Answers only when the port's handshaking is N (0 none, 1 XON/XOFF, "
                        "2 RTS/CTS, 3 both)."),
         QStringLiteral("N")},
        {QStringLiteral("stopbits"), QStringLiteral("Answers only on N stop bits (1 or 2)."),
         QStringLiteral("N")},
    };
    parser.addOptions(options);
    parser.process(app);

    SimRadio::Setup setup;
    setup.model = parser.value(QStringLiteral("model")).toLatin1().left(7);
    setup.band = static_cast<quint8>(parser.value(QStringLiteral("band")).toInt());
    setup.version = parser.value(QStringLiteral("version")).toLatin1().left(4);
    setup.flags = static_cast<quint8>(parser.value(QStringLiteral("flags")).toInt(nullptr, 0));
    setup.paced = parser.isSet(QStringLiteral("paced"));
    setup.silent = parser.isSet(QStringLiteral("silent"));
    setup.ignoreHandshakes = parser.value(QStringLiteral("ignore-handshakes")).toInt();
    setup.resendEndCount = parser.value(QStringLiteral("resend-end")).toInt();
    setup.splitPieces = qMax(1, parser.value(QStringLiteral("split")).toInt());
    setup.trailingNoise = parser.isSet(QStringLiteral("noise"));
    setup.echo = parser.isSet(QStringLiteral("echo"));
    setup.dataForWrites = parser.isSet(QStringLiteral("data-for-writes"));
    if (parser.isSet(QStringLiteral("handshaking")))
        setup.lineHandshaking = qBound(0, parser.value(QStringLiteral("handshaking")).toInt(), 3);
    if (parser.isSet(QStringLiteral("stopbits")))
        setup.lineStopBits = parser.value(QStringLiteral("stopbits")).toInt() == 2 ? 2 : 1;
    struct Fault {
        const char* name;
        int* address;
        int* count;
    };
    for (const Fault& f : {Fault{"drop", &setup.dropAddress, &setup.dropCount},
                           Fault{"corrupt", &setup.corruptAddress, &setup.corruptCount},
                           Fault{"resend", &setup.resendAddress, &setup.resendCount},
                           Fault{"resend-read", &setup.resendReadAddress, &setup.resendReadCount},
                           Fault{"misaddress", &setup.misaddressAddress, &setup.misaddressCount}}) {
        const QString value = parser.value(QLatin1String(f.name));
        if (!value.isEmpty() && !ParseFault(value, *f.address, *f.count)) {
            std::fprintf(stderr, "--%s: give ADDR or ADDR:COUNT, ADDR in hexadecimal\n", f.name);
            return 2;
        }
    }

    QString dir = parser.value(QStringLiteral("dir"));
    if (dir.isEmpty()) dir = Platform::SerialPorts::LinkDir();
    if (dir.isEmpty()) {
        std::fprintf(stderr, "No link folder: give --dir or set %s.\n",
                     Platform::SerialPorts::kLinkDirVariable);
        return 2;
    }
    const int port = parser.value(QStringLiteral("port")).toInt();

    SimRadio radio;
    const QStringList memoryFiles = parser.values(QStringLiteral("memory"));
    for (int i = 0; i < std::max<int>(1, memoryFiles.size()); ++i) {
        radio.PutOn(i);
        if (i < memoryFiles.size()) {
            QFile file(memoryFiles[i]);
            if (file.open(QIODevice::ReadOnly))
                radio.SetMemory(0, file.read(SimRadio::kMemorySize));
        }
        // The identification bytes as the radio's memory carries them.
        radio.SetMemory(0xB00, setup.model.leftJustified(7, '\0'));
        radio.SetMemory(0xB07, QByteArray(1, static_cast<char>(setup.band)));
        radio.SetMemory(0xB08, setup.version.leftJustified(4, '\0'));
        radio.SetMemory(0xB0C, QByteArray(1, static_cast<char>(setup.flags)));
        if (parser.isSet(QStringLiteral("password")))
            radio.SetPassword(parser.value(QStringLiteral("password")).toLatin1());
    }
    radio.PutOn(0);
    radio.Configure(setup);
    if (!radio.Start(dir, port)) {
        std::fprintf(stderr, "The pseudo-terminal or the link in %s could not be made.\n",
                     qPrintable(dir));
        return 1;
    }
    std::printf("Radio %s on %s, offered as COM%d (%s)\n", setup.model.constData(),
                qPrintable(radio.DevicePath()), port, qPrintable(radio.LinkPath()));
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGUSR1, OnSwap);
    QTimer watch;
    int swapsSeen = 0;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (gStop) app.quit();
        if (gSwaps == swapsSeen) return;
        swapsSeen = gSwaps;
        SimRadio::Setup now = radio.CurrentSetup();
        now.silent = (swapsSeen % 2) == 1 || setup.silent;
        if (!now.silent) radio.PutOn((radio.OnCable() + 1) % radio.RadioCount());
        radio.Configure(now);
        if (now.silent)
            std::printf("Radio taken off the cable\n");
        else
            std::printf("Radio %d on the cable\n", radio.OnCable() + 1);
        std::fflush(stdout);
    });
    watch.start(100);
    app.exec();

    radio.Stop();
    for (int i = 0; i < memoryFiles.size(); ++i) {
        QFile file(memoryFiles[i]);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(radio.MemoryOf(i, 0, SimRadio::kMemorySize));
    }
    const SimRadio::Counters c = radio.CurrentCounters();
    std::printf("handshakes %d, reads %d, writes %d, ends %d\n", c.handshakes, c.reads, c.writes,
                c.ends);
    return 0;
}

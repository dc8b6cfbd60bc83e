#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// A radio on a pseudo-terminal: it holds a memory image and answers the
// programming frames the way a KL740 does. Its device is offered as a port
// through a link "comN" in a folder; the program opens that port as any
// other. Faults can be switched on to see how the program copes.
class SimRadio {
public:
    static constexpr int kMemorySize = 0x2000;
    static constexpr const char* kHandshakeWord = "PROGRAM";

    // What the radio says about itself and how it misbehaves. Counters are
    // used up as the faults happen; -1 means "every time".
    struct Setup {
        QByteArray model = "KL740"; // up to 7 bytes, identification bytes 1-7
        quint8 band = 1;            // identification byte 8
        QByteArray version = "V200";
        quint8 flags = 0;   // identification byte 13
        bool paced = false; // bytes take their time at 9600 baud
        bool echo = false;  // the cable sends every byte back to the program

        bool silent = false;        // answers nothing
        int ignoreHandshakes = 0;   // the first handshakes go unanswered
        int dropAddress = -1;       // blocks at this address go unanswered ...
        int dropCount = 0;          // ... this many times
        int corruptAddress = -1;    // read replies for this address carry a bad checksum ...
        int corruptCount = 0;       // ... this many times
        int resendAddress = -1;     // write frames for this address (-1: any) get 0x0A ...
        int resendCount = 0;        // ... this many times
        int resendReadAddress = -1; // read requests for this address (-1: any) get 0x0A ...
        int resendReadCount = 0;    // ... this many times
        bool dataForWrites = false; // write frames get the block's data frame, not 0x06
        int splitPieces = 1;        // each reply goes out in this many pieces ...
        int splitGapMs = 3;         // ... with this pause between them
        bool trailingNoise = false; // a stray byte follows each reply
        bool dropEndReply = false;  // "END" goes unanswered
        int resendEndCount = 0;     // "END" gets 0x0A this many times
        int duplicateAddress = -1;  // read replies for this address come twice
        int misaddressAddress = -1; // read replies for this address bring the next block ...
        int misaddressCount = 0;    // ... this many times
        // The radio takes nothing off the line (as a cable that never raises
        // CTS): the line fills up and what the program sends stays unsent.
        // When the stall ends, the radio hears what reached the line meanwhile.
        bool stalled = false;
        // The line settings the radio is set to: on any other the frames reach
        // it garbled and it answers nothing. -1 / 0: any.
        int lineHandshaking = -1; // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both
        int lineStopBits = 0;     // 1 or 2
    };

    // Line settings as the program set them on the port.
    struct Line {
        int handshaking = 0;
        int stopBits = 1;
        bool operator==(const Line&) const = default;
    };

    struct Counters {
        int handshakes = 0;
        int identifications = 0;
        int reads = 0;
        int writes = 0;
        int ends = 0;
        int resendRequests = 0;
        int dropped = 0;
        int corrupted = 0;
        std::vector<int> readAddresses;   // every block asked for, in order
        std::vector<int> writeAddresses;  // every block sent, in order
        std::vector<Line> handshakeLines; // the line settings of every handshake
    };

    // When each frame came and its reply went, in microseconds of the steady
    // clock: how the time of a session splits between the line, the radio and
    // the program.
    struct Exchange {
        int64_t frameAt = 0;    // the frame's last bytes were read off the line
        int64_t replyStart = 0; // the reply's first byte was sent
        int64_t replyEnd = 0;   // the reply's last byte was sent
        int frameBytes = 0;
        int replyBytes = 0;
    };
    // The exchanges since ClearTimeline (the first kTimelineMax of them).
    std::vector<Exchange> Timeline() const;
    void ClearTimeline();
    static constexpr std::size_t kTimelineMax = 100000;
    static int64_t NowMicros();

    SimRadio();
    ~SimRadio();
    SimRadio(const SimRadio&) = delete;
    SimRadio& operator=(const SimRadio&) = delete;

    // Opens the pseudo-terminal and starts answering. With a link folder and
    // port number the device is offered there as "com<port>". False on failure.
    bool Start(const QString& linkDir = {}, int port = 0);
    void Stop();
    bool Running() const { return running_; }
    QString DevicePath() const { return devicePath_; }
    QString LinkPath() const { return linkPath_; }

    void Configure(const Setup& setup);
    Setup CurrentSetup() const;
    Counters CurrentCounters() const;
    void ResetCounters();

    // The radio's memory (0x0000-0x1FFF).
    QByteArray Memory(int address, int length) const;
    void SetMemory(int address, const QByteArray& bytes);
    void FillMemory(quint8 value);
    // The programming password (0xB3C-0xB3F): up to 4 bytes, the rest 0xFF.
    void SetPassword(const QByteArray& password);

    // Several radios, each with its own memory, of which one is on the cable
    // (radio 0 at the start). Memory() and SetMemory() act on the one on the
    // cable. A radio put on for the first time starts as a copy of radio 0.
    void PutOn(int radio);
    int OnCable() const;
    int RadioCount() const;
    QByteArray MemoryOf(int radio, int address, int length) const;

    // The line settings last applied to the port by the program.
    bool LineSettings(unsigned& iflag, unsigned& cflag) const;
    Line CurrentLine() const;

    // The time one byte takes on the line at 9600 baud, 8N1.
    static constexpr double kByteMicroseconds = 10.0 * 1e6 / 9600.0;

private:
    void Run();
    void Consume();
    bool TakeFrame(QByteArray& reply, const Line& line);
    void Send(const QByteArray& reply);
    void SendPaced(const QByteArray& bytes);
    QByteArray IdentReply() const;
    QByteArray DataReply(int address, int length) const;
    void FillLine();

    int master_ = -1;
    int slave_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    QString devicePath_;
    QString linkPath_;
    std::thread thread_;
    std::atomic<bool> running_{false};

    mutable std::mutex mutex_;
    Setup setup_;
    Counters counters_;
    std::vector<std::vector<quint8>> radios_;
    int onCable_ = 0;
    std::vector<quint8>& Mem() { return radios_[static_cast<size_t>(onCable_)]; }
    QByteArray input_;
    // When the last received byte has arrived on the line (paced mode).
    int64_t lineFreeAt_ = 0;
    bool duplicate_ = false;
    std::vector<Exchange> timeline_;
    int64_t frameAt_ = 0;
    int frameBytes_ = 0;
};

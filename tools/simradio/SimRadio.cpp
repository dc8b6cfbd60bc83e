#include "SimRadio.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Sleeps until the steady clock reads at: an absolute deadline, so that a
// late wake-up never adds up from one byte to the next.
void SleepUntilMicros(int64_t at) {
    const timespec ts{static_cast<time_t>(at / 1000000), static_cast<long>(at % 1000000) * 1000};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

quint8 Checksum(const QByteArray& frame, int first, int last) {
    unsigned sum = 0;
    for (int i = first; i <= last; ++i)
        sum += static_cast<quint8>(frame[i]);
    return static_cast<quint8>(sum & 0xFF);
}

// A counter of faults still to happen: -1 never runs out.
bool UseFault(int& count) {
    if (count == 0) return false;
    if (count > 0) --count;
    return true;
}

} // namespace

int64_t SimRadio::NowMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch())
        .count();
}

SimRadio::SimRadio() : radios_(1, std::vector<quint8>(kMemorySize, 0xFF)) {}

SimRadio::~SimRadio() {
    Stop();
}

bool SimRadio::Start(const QString& linkDir, int port) {
    if (running_) return true;
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) return false;
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        Stop();
        return false;
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        Stop();
        return false;
    }
    devicePath_ = QString::fromLocal8Bit(name);
    // The radio keeps the device open itself, so the program may close and
    // reopen it at will without the line going down.
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        Stop();
        return false;
    }
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(slave_, TCSANOW, &tio);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        Stop();
        return false;
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    if (!linkDir.isEmpty() && port > 0) {
        QDir().mkpath(linkDir);
        linkPath_ = QDir(linkDir).filePath(QStringLiteral("com%1").arg(port));
        QFile::remove(linkPath_);
        if (!QFile::link(devicePath_, linkPath_)) {
            linkPath_.clear();
            Stop();
            return false;
        }
    }
    running_ = true;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SimRadio::Stop() {
    if (running_) {
        running_ = false;
        const char wake = 1;
        if (::write(wakeWrite_, &wake, 1) < 0) {
        }
    }
    if (thread_.joinable()) thread_.join();
    if (!linkPath_.isEmpty()) QFile::remove(linkPath_);
    linkPath_.clear();
    for (int* fd : {&master_, &slave_, &wakeRead_, &wakeWrite_}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

void SimRadio::Configure(const Setup& setup) {
    std::lock_guard lock(mutex_);
    const bool stall = setup.stalled && !setup_.stalled;
    setup_ = setup;
    if (stall) FillLine();
}

// Fills the line towards the radio from the device's own side, as far as it
// takes bytes, so that nothing the program sends finds room. The filler is
// zero bytes, which the radio passes over as noise.
void SimRadio::FillLine() {
    if (slave_ < 0) return;
    const int flags = ::fcntl(slave_, F_GETFL);
    ::fcntl(slave_, F_SETFL, flags | O_NONBLOCK);
    const QByteArray filler(4096, '\0');
    for (;;) {
        const ssize_t n = ::write(slave_, filler.constData(), static_cast<size_t>(filler.size()));
        if (n <= 0) break;
    }
    ::fcntl(slave_, F_SETFL, flags);
}

SimRadio::Setup SimRadio::CurrentSetup() const {
    std::lock_guard lock(mutex_);
    return setup_;
}

SimRadio::Counters SimRadio::CurrentCounters() const {
    std::lock_guard lock(mutex_);
    return counters_;
}

void SimRadio::ResetCounters() {
    std::lock_guard lock(mutex_);
    counters_ = {};
}

std::vector<SimRadio::Exchange> SimRadio::Timeline() const {
    std::lock_guard lock(mutex_);
    return timeline_;
}

void SimRadio::ClearTimeline() {
    std::lock_guard lock(mutex_);
    timeline_.clear();
}

QByteArray SimRadio::Memory(int address, int length) const {
    return MemoryOf(OnCable(), address, length);
}

QByteArray SimRadio::MemoryOf(int radio, int address, int length) const {
    std::lock_guard lock(mutex_);
    QByteArray bytes;
    if (radio < 0 || radio >= static_cast<int>(radios_.size())) return bytes;
    const std::vector<quint8>& memory = radios_[static_cast<size_t>(radio)];
    for (int i = 0; i < length && address + i < kMemorySize; ++i)
        bytes.append(static_cast<char>(memory[address + i]));
    return bytes;
}

void SimRadio::PutOn(int radio) {
    std::lock_guard lock(mutex_);
    if (radio < 0) return;
    while (static_cast<int>(radios_.size()) <= radio)
        radios_.push_back(radios_[0]);
    onCable_ = radio;
    input_.clear();
}

int SimRadio::OnCable() const {
    std::lock_guard lock(mutex_);
    return onCable_;
}

int SimRadio::RadioCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(radios_.size());
}

void SimRadio::SetMemory(int address, const QByteArray& bytes) {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < bytes.size() && address + i < kMemorySize; ++i)
        Mem()[address + i] = static_cast<quint8>(bytes[i]);
}

void SimRadio::FillMemory(quint8 value) {
    std::lock_guard lock(mutex_);
    std::fill(Mem().begin(), Mem().end(), value);
}

void SimRadio::SetPassword(const QByteArray& password) {
    QByteArray field = password.left(4);
    while (field.size() < 4)
        field.append(char(0xFF));
    SetMemory(0xB3C, field);
}

bool SimRadio::LineSettings(unsigned& iflag, unsigned& cflag) const {
    termios tio{};
    if (slave_ < 0 || ::tcgetattr(slave_, &tio) != 0) return false;
    iflag = tio.c_iflag;
    cflag = tio.c_cflag;
    return true;
}

SimRadio::Line SimRadio::CurrentLine() const {
    Line line;
    unsigned iflag = 0, cflag = 0;
    if (!LineSettings(iflag, cflag)) return line;
    const bool rtsCts = (cflag & CRTSCTS) != 0;
    const bool xonXoff = (iflag & IXON) != 0;
    line.handshaking = rtsCts && xonXoff ? 3 : rtsCts ? 2 : xonXoff ? 1 : 0;
    line.stopBits = (cflag & CSTOPB) ? 2 : 1;
    return line;
}

QByteArray SimRadio::IdentReply() const {
    QByteArray reply(16, '\0');
    reply[0] = 'P';
    for (int i = 0; i < 7 && i < setup_.model.size(); ++i)
        reply[1 + i] = setup_.model[i];
    reply[8] = static_cast<char>(setup_.band);
    for (int i = 0; i < 4 && i < setup_.version.size(); ++i)
        reply[9 + i] = setup_.version[i];
    reply[13] = static_cast<char>(setup_.flags);
    reply[14] = 0;
    reply[15] = 0x06;
    return reply;
}

// The data frame of a block: "W", address, length, the bytes, checksum, 0x06.
QByteArray SimRadio::DataReply(int address, int length) const {
    QByteArray reply;
    reply.append('W');
    reply.append(static_cast<char>(address >> 8));
    reply.append(static_cast<char>(address & 0xFF));
    reply.append(static_cast<char>(length));
    const std::vector<quint8>& memory = radios_[static_cast<size_t>(onCable_)];
    for (int i = 0; i < length; ++i)
        reply.append(static_cast<char>(memory[static_cast<size_t>(address + i)]));
    reply.append(static_cast<char>(Checksum(reply, 1, static_cast<int>(reply.size()) - 1)));
    reply.append(char(0x06));
    return reply;
}

void SimRadio::Run() {
    // The line's byte times are a millisecond: the default timer slack of
    // 50 us would make every paced byte late.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    int64_t lastByteAt = 0;
    while (running_) {
        bool stalled;
        {
            std::lock_guard lock(mutex_);
            stalled = setup_.stalled;
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (stalled) {
            ::poll(fds + 1, 1, 10);
            continue;
        }
        const int ready = ::poll(fds, 2, 100);
        if (!running_) break;
        if (ready <= 0 || !(fds[0].revents & POLLIN)) {
            if (fds[0].revents & (POLLHUP | POLLERR))
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        char chunk[512];
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n <= 0) continue;
        const int64_t now = NowMicros();
        bool paced;
        bool echo;
        {
            std::lock_guard lock(mutex_);
            echo = setup_.echo;
        }
        // An echoing cable hands the bytes back before the radio answers.
        if (echo && ::write(master_, chunk, static_cast<size_t>(n)) < 0) {
        }
        {
            std::lock_guard lock(mutex_);
            // A pause longer than a frame ends whatever half frame is waiting.
            if (now - lastByteAt > 60000) input_.clear();
            input_.append(chunk, static_cast<int>(n));
            paced = setup_.paced;
            frameAt_ = now;
        }
        lastByteAt = now;
        if (paced)
            lineFreeAt_ = std::max(lineFreeAt_, now) + static_cast<int64_t>(n * kByteMicroseconds);
        Consume();
    }
}

void SimRadio::Consume() {
    // The line as the program has set it up while these bytes came.
    const Line line = CurrentLine();
    for (;;) {
        QByteArray reply;
        bool paced;
        Exchange exchange;
        {
            std::lock_guard lock(mutex_);
            const qsizetype before = input_.size();
            if (!TakeFrame(reply, line)) return;
            paced = setup_.paced;
            frameBytes_ += static_cast<int>(before - input_.size());
            exchange.frameAt = frameAt_;
            exchange.frameBytes = frameBytes_;
        }
        if (reply.isEmpty()) continue;
        frameBytes_ = 0;
        if (paced) SleepUntilMicros(lineFreeAt_);
        exchange.replyStart = NowMicros();
        Send(reply);
        exchange.replyEnd = NowMicros();
        exchange.replyBytes = static_cast<int>(reply.size());
        {
            std::lock_guard lock(mutex_);
            if (timeline_.size() < kTimelineMax) timeline_.push_back(exchange);
        }
        if (duplicate_) {
            duplicate_ = false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            Send(reply);
        }
    }
}

// Takes one frame off the input and works out the reply (empty: none).
// False when the input holds no complete frame. Runs under the lock.
bool SimRadio::TakeFrame(QByteArray& reply, const Line& line) {
    reply.clear();
    if (input_.isEmpty()) return false;
    const quint8 head = static_cast<quint8>(input_[0]);
    Setup& s = setup_;
    // On other line settings than its own the radio hears nothing it can use.
    const bool deaf = s.silent ||
                      (s.lineHandshaking >= 0 && s.lineHandshaking != line.handshaking) ||
                      (s.lineStopBits > 0 && s.lineStopBits != line.stopBits);
    if (head == 'P') {
        const QByteArray word(kHandshakeWord);
        if (input_.size() < word.size()) {
            if (word.startsWith(input_)) return false;
            input_.remove(0, 1);
            return true;
        }
        if (!input_.startsWith(word)) {
            input_.remove(0, 1);
            return true;
        }
        input_.remove(0, word.size());
        ++counters_.handshakes;
        counters_.handshakeLines.push_back(line);
        if (deaf) return true;
        if (s.ignoreHandshakes > 0) {
            --s.ignoreHandshakes;
            return true;
        }
        reply = QByteArrayLiteral("KL\x06");
        return true;
    }
    if (head == 0x02) {
        input_.remove(0, 1);
        ++counters_.identifications;
        if (!deaf) reply = IdentReply();
        return true;
    }
    if (head == 'R') {
        if (input_.size() < 4) return false;
        const int address = static_cast<quint8>(input_[1]) * 256 + static_cast<quint8>(input_[2]);
        const int length = static_cast<quint8>(input_[3]);
        input_.remove(0, 4);
        ++counters_.reads;
        counters_.readAddresses.push_back(address);
        if (deaf || address + length > kMemorySize) return true;
        if (address == s.dropAddress && UseFault(s.dropCount)) {
            ++counters_.dropped;
            return true;
        }
        if ((s.resendReadAddress < 0 || s.resendReadAddress == address) &&
            UseFault(s.resendReadCount)) {
            ++counters_.resendRequests;
            reply = QByteArray(1, char(0x0A));
            return true;
        }
        // A misaddressed reply brings the block after the one asked for.
        const int from = address == s.misaddressAddress && UseFault(s.misaddressCount) &&
                                 address + 16 + length <= kMemorySize
                             ? address + 16
                             : address;
        reply = DataReply(from, length);
        if (address == s.corruptAddress && UseFault(s.corruptCount)) {
            reply[reply.size() - 2] = static_cast<char>(reply[reply.size() - 2] + 1);
            ++counters_.corrupted;
        }
        if (address == s.duplicateAddress) duplicate_ = true;
        return true;
    }
    if (head == 'W') {
        if (input_.size() < 4) return false;
        const int length = static_cast<quint8>(input_[3]);
        if (input_.size() < length + 6) return false;
        const QByteArray frame = input_.left(length + 6);
        input_.remove(0, length + 6);
        const int address = static_cast<quint8>(frame[1]) * 256 + static_cast<quint8>(frame[2]);
        ++counters_.writes;
        counters_.writeAddresses.push_back(address);
        if (deaf) return true;
        if (address == s.dropAddress && UseFault(s.dropCount)) {
            ++counters_.dropped;
            return true;
        }
        const bool frameOk =
            static_cast<quint8>(frame[length + 5]) == 0x06 &&
            static_cast<quint8>(frame[length + 4]) == Checksum(frame, 1, length + 3) &&
            address + length <= kMemorySize;
        if (!frameOk ||
            ((s.resendAddress < 0 || s.resendAddress == address) && UseFault(s.resendCount))) {
            ++counters_.resendRequests;
            reply = QByteArray(1, char(0x0A));
            return true;
        }
        if (s.dataForWrites) { // answered as a read; nothing is stored
            reply = DataReply(address, length);
            return true;
        }
        for (int i = 0; i < length; ++i)
            Mem()[address + i] = static_cast<quint8>(frame[4 + i]);
        reply = QByteArray(1, char(0x06));
        return true;
    }
    if (head == 'E') {
        if (input_.size() < 3) {
            if (QByteArray("END").startsWith(input_)) return false;
            input_.remove(0, 1);
            return true;
        }
        if (!input_.startsWith("END")) {
            input_.remove(0, 1);
            return true;
        }
        input_.remove(0, 3);
        ++counters_.ends;
        if (deaf || s.dropEndReply) return true;
        if (UseFault(s.resendEndCount)) {
            ++counters_.resendRequests;
            reply = QByteArray(1, char(0x0A));
            return true;
        }
        reply = QByteArray(1, char(0x06));
        return true;
    }
    input_.remove(0, 1);
    return true;
}

void SimRadio::Send(const QByteArray& reply) {
    Setup s = CurrentSetup();
    QByteArray bytes = reply;
    if (s.trailingNoise) bytes.append(char(0x55));
    const int pieces = qBound(1, s.splitPieces, static_cast<int>(bytes.size()));
    const int size = (static_cast<int>(bytes.size()) + pieces - 1) / pieces;
    for (int offset = 0; offset < bytes.size(); offset += size) {
        if (offset > 0) std::this_thread::sleep_for(std::chrono::milliseconds(s.splitGapMs));
        const QByteArray piece = bytes.mid(offset, size);
        if (s.paced) {
            SendPaced(piece);
        } else {
            ssize_t done = 0;
            while (done < piece.size()) {
                const ssize_t n = ::write(master_, piece.constData() + done, piece.size() - done);
                if (n < 0) break;
                done += n;
            }
        }
    }
}

void SimRadio::SendPaced(const QByteArray& bytes) {
    const int64_t start = NowMicros();
    for (int i = 0; i < bytes.size(); ++i) {
        // A byte is there once its last bit has crossed the line.
        SleepUntilMicros(start + static_cast<int64_t>((i + 1) * kByteMicroseconds));
        if (::write(master_, bytes.constData() + i, 1) < 0) return;
    }
}

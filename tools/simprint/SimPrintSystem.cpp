#include "SimPrintSystem.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QThread>
#include <cups/cups.h>

namespace {

// Sizes in points as the queues describe them.
struct Paper {
    const char* name;
    const char* text; // as the printer dialogs show it
    int width;
    int height;
};
constexpr Paper kPapers[] = {
    {"A4", "A4", 595, 842},
    {"A5", "A5", 420, 595},
    {"ISOB5", "B5", 499, 709},
    {"Executive", "Executive", 522, 756},
    {"Letter", "US Letter", 612, 792},
};

// A queue, its papers (the first its own) and the edges in points its printer
// cannot print on, as the sheet goes through it.
struct Queue {
    const char* name;
    QList<QByteArray> papers;
    int left;
    int right;
    int end; // top and bottom
};
const Queue kQueues[] = {
    {"Office", {"A4", "A5", "ISOB5", "Executive", "Letter"}, 18, 18, 18},
    {"Counter", {"A4", "Letter"}, 18, 9, 36},
};

QByteArray Ppd(const Queue& queue) {
    const QByteArray name = queue.name;
    QByteArray ppd = "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                     "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
                     "*PCFileName: \"" +
                     name.toUpper().left(8) + ".PPD\"\n*Manufacturer: \"Corvan\"\n*Product: \"(" +
                     name + ")\"\n*ModelName: \"" + name + "\"\n*ShortNickName: \"" + name +
                     "\"\n*NickName: \"" + name +
                     "\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
                     "*ColorDevice: False\n*DefaultColorSpace: Gray\n*FileSystem: False\n"
                     "*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n"
                     "*TTRasterizer: Type42\n*cupsFilter: \"application/pdf 0 -\"\n";
    const QByteArray own = queue.papers.first();
    for (const char* option : {"PageSize", "PageRegion"}) {
        ppd += QByteArray("*OpenUI *") + option + ": PickOne\n*OrderDependency: 10 AnySetup *" +
               option + "\n*Default" + option + ": " + own + "\n";
        for (const Paper& p : kPapers)
            if (queue.papers.contains(p.name))
                ppd += QByteArray("*") + option + " " + p.name + "/" + p.text + ": \"<</PageSize[" +
                       QByteArray::number(p.width) + " " + QByteArray::number(p.height) +
                       "]>>setpagedevice\"\n";
        ppd += QByteArray("*CloseUI: *") + option + "\n";
    }
    ppd += "*DefaultImageableArea: " + own + "\n*DefaultPaperDimension: " + own + "\n";
    for (const Paper& p : kPapers) {
        if (!queue.papers.contains(p.name)) continue;
        const QByteArray w = QByteArray::number(p.width), h = QByteArray::number(p.height);
        ppd += QByteArray("*ImageableArea ") + p.name + "/" + p.text + ": \"" +
               QByteArray::number(queue.left) + " " + QByteArray::number(queue.end) + " " +
               QByteArray::number(p.width - queue.right) + " " +
               QByteArray::number(p.height - queue.end) + "\"\n*PaperDimension " + p.name + "/" +
               p.text + ": \"" + w + " " + h + "\"\n";
    }
    return ppd;
}

// The queues, the first the default; stopped, so that they keep their jobs.
QByteArray Printers() {
    QByteArray printers;
    for (const Queue& queue : kQueues) {
        const QByteArray tag = &queue == kQueues ? "DefaultPrinter" : "Printer";
        printers += "<" + tag + " " + queue.name + ">\nInfo " + queue.name +
                    "\nDeviceURI file:///dev/null\nState Stopped\nAccepting Yes\nShared No\n</" +
                    tag + ">\n";
    }
    return printers;
}

bool Write(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

SimPrintSystem::SimPrintSystem() {
    const QDir dir(folder_.path());
    for (const char* sub : {"ppd", "spool", "tmp", "cache", "state", "log"})
        dir.mkdir(QLatin1String(sub));
    const QByteArray root = QFile::encodeName(folder_.path());
    bool written = folder_.isValid() &&
                   Write(dir.filePath(QStringLiteral("cupsd.conf")),
                         "Listen " + root +
                             "/cups.sock\nBrowsing No\nLogLevel warn\n"
                             "<Location />\nOrder allow,deny\nAllow all\n</Location>\n") &&
                   Write(dir.filePath(QStringLiteral("cups-files.conf")),
                         "ServerRoot " + root + "\nRequestRoot " + root + "/spool\nTempDir " +
                             root + "/tmp\nCacheDir " + root + "/cache\nStateDir " + root +
                             "/state\nErrorLog " + root + "/log/error_log\nAccessLog " + root +
                             "/log/access_log\nPageLog " + root + "/log/page_log\n") &&
                   Write(dir.filePath(QStringLiteral("printers.conf")), Printers());
    for (const Queue& queue : kQueues)
        written = written &&
                  Write(dir.filePath(QStringLiteral("ppd/%1.ppd").arg(queue.name)), Ppd(queue));
    if (!written) {
        error_ = QStringLiteral("the scheduler's folder could not be made");
        return;
    }
    scheduler_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    scheduler_.start(QStringLiteral("/usr/sbin/cupsd"),
                     {QStringLiteral("-f"), QStringLiteral("-c"),
                      dir.filePath(QStringLiteral("cupsd.conf")), QStringLiteral("-s"),
                      dir.filePath(QStringLiteral("cups-files.conf"))});
    if (!scheduler_.waitForStarted(10000)) {
        error_ = QStringLiteral("cupsd (package cups-daemon) did not start: ") +
                 scheduler_.errorString();
        return;
    }
    // it listens once it has read its queue
    const QDeadlineTimer deadline(10000);
    while (!QFile::exists(Server()) && scheduler_.state() == QProcess::Running &&
           !deadline.hasExpired())
        QThread::msleep(20);
    if (!QFile::exists(Server())) error_ = QStringLiteral("cupsd does not listen");
    cupsSetServer(QFile::encodeName(Server()).constData());
}

SimPrintSystem::~SimPrintSystem() {
    cupsSetServer(nullptr);
    if (scheduler_.state() == QProcess::NotRunning) return;
    scheduler_.terminate();
    if (!scheduler_.waitForFinished(10000)) scheduler_.kill();
    scheduler_.waitForFinished(10000);
}

QString SimPrintSystem::Server() const {
    return QDir(folder_.path()).filePath(QStringLiteral("cups.sock"));
}

QStringList SimPrintSystem::Documents() const {
    const QDir spool(QDir(folder_.path()).filePath(QStringLiteral("spool")));
    QStringList documents;
    for (const QString& name : spool.entryList({QStringLiteral("d*")}, QDir::Files, QDir::Name))
        documents << spool.filePath(name);
    return documents;
}

QSize SimPrintSystem::Paper(int job) const {
    QFile document(Documents().value(job));
    if (!document.open(QIODevice::ReadOnly)) return {};
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral(R"(/MediaBox\s*\[\s*0 0 ([\d.]+) ([\d.]+)\s*\])"))
            .match(QString::fromLatin1(document.readAll()));
    return box.hasMatch() ? QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble()).toSize()
                          : QSize();
}

QPointF SimPrintSystem::Origin(int job) const {
    QFile document(Documents().value(job));
    if (!document.open(QIODevice::ReadOnly)) return {};
    const QByteArray pdf = document.readAll();
    const QSize paper = Paper(job);
    // the first content stream places the printable area: x, then y from the
    // paper's bottom
    const QRegularExpression place(QStringLiteral(R"([\d.]+ 0 0 -[\d.]+ ([\d.]+) ([\d.]+) cm)"));
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at + 1)) {
        const qsizetype end = pdf.indexOf("endstream", at);
        const QByteArray packed = pdf.mid(at + 7, end - at - 7);
        if (!packed.startsWith('\x78')) continue; // not zlib data
        // zlib data with the size qUncompress expects in front (it grows as it needs)
        const QByteArray stream = qUncompress(QByteArray("\0\0\0\1", 4) + packed);
        const QRegularExpressionMatch m = place.match(QString::fromLatin1(stream.left(200)));
        if (m.hasMatch())
            return {m.captured(1).toDouble(), paper.height() - m.captured(2).toDouble()};
    }
    return {};
}

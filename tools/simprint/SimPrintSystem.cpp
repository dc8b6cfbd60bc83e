#include "SimPrintSystem.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <cups/cups.h>

namespace {

// Sizes in points as the queue describes them, with a quarter inch it cannot
// print on along every edge.
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

QByteArray Ppd() {
    QByteArray ppd = "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                     "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
                     "*PCFileName: \"OFFICE.PPD\"\n*Manufacturer: \"Corvan\"\n"
                     "*Product: \"(Office)\"\n*ModelName: \"Office\"\n*ShortNickName: \"Office\"\n"
                     "*NickName: \"Office\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
                     "*ColorDevice: False\n*DefaultColorSpace: Gray\n*FileSystem: False\n"
                     "*Throughput: \"1\"\n*LandscapeOrientation: Plus90\n"
                     "*TTRasterizer: Type42\n*cupsFilter: \"application/pdf 0 -\"\n";
    for (const char* option : {"PageSize", "PageRegion"}) {
        ppd += QByteArray("*OpenUI *") + option + ": PickOne\n*OrderDependency: 10 AnySetup *" +
               option + "\n*Default" + option + ": A4\n";
        for (const Paper& p : kPapers)
            ppd += QByteArray("*") + option + " " + p.name + "/" + p.text + ": \"<</PageSize[" +
                   QByteArray::number(p.width) + " " + QByteArray::number(p.height) +
                   "]>>setpagedevice\"\n";
        ppd += QByteArray("*CloseUI: *") + option + "\n";
    }
    ppd += "*DefaultImageableArea: A4\n*DefaultPaperDimension: A4\n";
    for (const Paper& p : kPapers) {
        const QByteArray w = QByteArray::number(p.width), h = QByteArray::number(p.height);
        ppd += QByteArray("*ImageableArea ") + p.name + "/" + p.text + ": \"18 18 " +
               QByteArray::number(p.width - 18) + " " + QByteArray::number(p.height - 18) +
               "\"\n*PaperDimension " + p.name + "/" + p.text + ": \"" + w + " " + h + "\"\n";
    }
    return ppd;
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
    const bool written = folder_.isValid() &&
                         Write(dir.filePath(QStringLiteral("cupsd.conf")),
                               "Listen " + root +
                                   "/cups.sock\nBrowsing No\nLogLevel warn\n"
                                   "<Location />\nOrder allow,deny\nAllow all\n</Location>\n") &&
                         Write(dir.filePath(QStringLiteral("cups-files.conf")),
                               "ServerRoot " + root + "\nRequestRoot " + root + "/spool\nTempDir " +
                                   root + "/tmp\nCacheDir " + root + "/cache\nStateDir " + root +
                                   "/state\nErrorLog " + root + "/log/error_log\nAccessLog " +
                                   root + "/log/access_log\nPageLog " + root + "/log/page_log\n") &&
                         Write(dir.filePath(QStringLiteral("printers.conf")),
                               "<DefaultPrinter Office>\nInfo Office\nDeviceURI file:///dev/null\n"
                               "State Stopped\nAccepting Yes\nShared No\n</DefaultPrinter>\n") &&
                         Write(dir.filePath(QStringLiteral("ppd/Office.ppd")), Ppd());
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
